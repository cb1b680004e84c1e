#include "foliage_textures.h"

#include <algorithm>
#include <cmath>

#include "normal_map.h"
#include "random.h"
#include "vector_math.h"

namespace assets {
namespace {

constexpr float kPi = 3.14159265f;
// Covered texels never go darker than this, so they stay well apart from the
// black background.
constexpr float kMinimumBrightness = 0.11f;

// Colour, coverage and relief layers that shapes are painted into, later shapes
// over earlier ones.
struct Canvas {
    int size;
    std::vector<Color> color;
    FloatImage coverage;
    FloatImage height;

    explicit Canvas(int s)
        : size(s), color(static_cast<size_t>(s) * static_cast<size_t>(s)), coverage(s, s), height(s, s)
    {
    }

    void paint(int x, int y, Color c, float cover, float relief)
    {
        if (x < 0 || y < 0 || x >= size || y >= size || cover <= 0.0f) {
            return;
        }
        Color& dst = color[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)];
        float& cov = coverage.at(x, y);
        const float combined = cov + (1.0f - cov) * cover;
        // Colours stay unpremultiplied: the new shape over what is there.
        dst = (dst * (cov * (1.0f - cover)) + c * cover) * (1.0f / combined);
        cov = combined;
        float& h = height.at(x, y);
        h = lerp(h, relief, cover);
    }

    // The picture is premultiplied by coverage over black, and the normal
    // map's blue channel holds the coverage itself (its x and y hold the
    // relief; z follows from them). Averaging both in a mipmap level keeps
    // colour / coverage equal to the colour of what is covered, and keeps the
    // covered share of a minified card true, so the foliage program can cut
    // out distant cards without turning them into dark rectangles.
    TexturePair finish(float normalStrength) const
    {
        TexturePair out{RgbImage(size, size), normalMapFromHeight(height, normalStrength, false)};
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                float cov = coverage.at(x, y);
                if (cov < 0.02f) {
                    cov = 0.0f;  // stays exact black, with no coverage
                }
                Color c = color[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)];
                const float brightness = std::max({c.r, c.g, c.b});
                if (brightness < kMinimumBrightness) {
                    c = c * (kMinimumBrightness / std::max(brightness, 1e-3f));
                }
                out.base.set(x, y, c * cov);
                out.normal.at(x, y)[2] = toByte(cov);
            }
        }
        return out;
    }
};

// Supersampled coverage of a shape given by a signed inside test per point.
template <typename Inside>
float coverageAt(int x, int y, Inside inside)
{
    int hits = 0;
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            if (inside(static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / 3.0f,
                       static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / 3.0f)) {
                ++hits;
            }
        }
    }
    return static_cast<float>(hits) / 9.0f;
}

void paintLine(Canvas& canvas, float x0, float y0, float x1, float y1, float width, Color color)
{
    const float minX = std::min(x0, x1) - width;
    const float maxX = std::max(x0, x1) + width;
    const float minY = std::min(y0, y1) - width;
    const float maxY = std::max(y0, y1) + width;
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    for (int y = static_cast<int>(minY); y <= static_cast<int>(maxY); ++y) {
        for (int x = static_cast<int>(minX); x <= static_cast<int>(maxX); ++x) {
            const float cover = coverageAt(x, y, [&](float px, float py) {
                const float f = std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0f, 1.0f);
                return std::hypot(px - (x0 + dx * f), py - (y0 + dy * f)) < width * 0.5f;
            });
            canvas.paint(x, y, color, cover, 0.3f);
        }
    }
}

struct Leaf {
    float rootX, rootY, angle, length, width;
    Color color;
};

void paintLeaf(Canvas& canvas, const Leaf& leaf)
{
    const float dirX = std::cos(leaf.angle);
    const float dirY = std::sin(leaf.angle);
    auto local = [&](float px, float py, float& u, float& v) {
        const float rx = px - leaf.rootX;
        const float ry = py - leaf.rootY;
        u = (rx * dirX + ry * dirY) / leaf.length;
        v = (-rx * dirY + ry * dirX) / leaf.width;
    };
    auto halfWidth = [](float u) { return 0.5f * std::pow(std::sin(kPi * std::clamp(u, 0.0f, 1.0f)), 0.7f) * (1.0f - 0.25f * u); };
    const float reach = leaf.length + leaf.width;
    for (int y = static_cast<int>(leaf.rootY - reach); y <= static_cast<int>(leaf.rootY + reach); ++y) {
        for (int x = static_cast<int>(leaf.rootX - reach); x <= static_cast<int>(leaf.rootX + reach); ++x) {
            const float cover = coverageAt(x, y, [&](float px, float py) {
                float u = 0.0f;
                float v = 0.0f;
                local(px, py, u, v);
                return u > 0.0f && u < 1.0f && std::fabs(v) < halfWidth(u);
            });
            if (cover <= 0.0f) {
                continue;
            }
            float u = 0.0f;
            float v = 0.0f;
            local(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, u, v);
            const float edge = std::fabs(v) / std::max(halfWidth(u), 1e-3f);
            const float fold = v > 0.0f ? 1.08f : 0.86f;  // the two halves catch light differently
            const float midrib = std::fabs(v) < 0.035f ? 1.25f : 1.0f;
            const float vein = std::fabs(std::sin((u * 7.0f + std::fabs(v) * 5.0f) * kPi)) < 0.12f ? 1.1f : 1.0f;
            const Color c = leaf.color * (fold * midrib * vein * (1.05f - 0.25f * edge * edge));
            const float relief = std::sqrt(std::max(0.0f, 1.0f - edge * edge)) - (std::fabs(v) < 0.035f ? 0.25f : 0.0f);
            canvas.paint(x, y, c, cover, relief);
        }
    }
}

} // namespace

TexturePair makeLeafTexture(uint64_t seed, LeafStyle style)
{
    constexpr int size = 256;
    constexpr float margin = 5.0f;
    Random random(streamSeed(seed, style == LeafStyle::Broadleaf ? 31 : 32));
    Canvas canvas(size);
    const Color leafBase = style == LeafStyle::Broadleaf ? Color{0.30f, 0.52f, 0.13f} : Color{0.19f, 0.37f, 0.14f};
    const float slenderness = style == LeafStyle::Broadleaf ? 0.46f : 0.36f;
    const float centre = size * 0.5f;

    // Twigs spread from near the middle; leaves sit along them, alternating sides.
    std::vector<Leaf> leaves;
    struct Twig {
        float x0, y0, x1, y1;
    };
    std::vector<Twig> twigs;
    const int twigCount = 9;
    for (int i = 0; i < twigCount; ++i) {
        const float a = 2.0f * kPi * (static_cast<float>(i) + random.range(0.0f, 0.7f)) / twigCount;
        const float reach = random.range(70.0f, 100.0f);
        const float x0 = centre + random.range(-14.0f, 14.0f);
        const float y0 = centre + random.range(-14.0f, 14.0f);
        twigs.push_back({x0, y0, x0 + std::cos(a) * reach, y0 + std::sin(a) * reach});
    }
    auto clampLength = [&](Leaf& leaf) {
        // Keep the whole leaf inside the margin: the texture repeats at its edges.
        for (int i = 0; i < 40; ++i) {
            const float tipX = leaf.rootX + std::cos(leaf.angle) * leaf.length;
            const float tipY = leaf.rootY + std::sin(leaf.angle) * leaf.length;
            const float sideX = std::fabs(std::sin(leaf.angle)) * leaf.length * slenderness * 0.5f;
            const float sideY = std::fabs(std::cos(leaf.angle)) * leaf.length * slenderness * 0.5f;
            const bool inside = std::min(tipX, leaf.rootX) - sideX > margin && std::max(tipX, leaf.rootX) + sideX < size - margin &&
                                std::min(tipY, leaf.rootY) - sideY > margin && std::max(tipY, leaf.rootY) + sideY < size - margin;
            if (inside) {
                return true;
            }
            leaf.length *= 0.9f;
        }
        return false;
    };
    for (const Twig& twig : twigs) {
        const float twigAngle = std::atan2(twig.y1 - twig.y0, twig.x1 - twig.x0);
        const int count = 8;
        for (int k = 0; k < count; ++k) {
            const float f = (static_cast<float>(k) + 1.0f) / static_cast<float>(count);
            Leaf leaf{};
            leaf.rootX = lerp(twig.x0, twig.x1, f);
            leaf.rootY = lerp(twig.y0, twig.y1, f);
            const float side = (k % 2 == 0) ? 1.0f : -1.0f;
            leaf.angle = twigAngle + (k == count - 1 ? 0.0f : side * random.range(0.55f, 1.0f));
            leaf.length = random.range(30.0f, 46.0f);
            leaf.width = leaf.length * slenderness;
            const float tone = random.range(0.78f, 1.2f);
            leaf.color = Color{leafBase.r * tone * random.range(0.9f, 1.15f), leafBase.g * tone, leafBase.b * tone};
            if (clampLength(leaf)) {
                leaf.width = leaf.length * slenderness;
                leaves.push_back(leaf);
            }
        }
    }
    const Color twigColor{0.30f, 0.22f, 0.13f};
    for (const Twig& twig : twigs) {
        paintLine(canvas, twig.x0, twig.y0, std::clamp(twig.x1, margin, size - margin), std::clamp(twig.y1, margin, size - margin),
                  2.4f, twigColor);
    }
    for (const Leaf& leaf : leaves) {
        paintLeaf(canvas, leaf);
    }
    return canvas.finish(2.5f);
}

namespace {

void paintBlade(Canvas& canvas, float rootX, float bladeHeight, float bend, float baseWidth, Color rootColor, Color tipColor)
{
    constexpr float rootY = 2.0f;  // the bottom rows stay black: the picture repeats at its edges
    auto centreAt = [&](float u) { return rootX + bend * u * u; };
    auto halfAt = [&](float u) { return 0.5f * baseWidth * (1.0f - u); };
    const int top = static_cast<int>(rootY + bladeHeight);
    for (int y = static_cast<int>(rootY); y <= top; ++y) {
        const float uMid = (static_cast<float>(y) + 0.5f - rootY) / bladeHeight;
        const float cx = centreAt(std::clamp(uMid, 0.0f, 1.0f));
        for (int x = static_cast<int>(cx - baseWidth - 2.0f); x <= static_cast<int>(cx + baseWidth + 2.0f); ++x) {
            const float cover = coverageAt(x, y, [&](float px, float py) {
                const float u = (py - rootY) / bladeHeight;
                return u >= 0.0f && u < 1.0f && std::fabs(px - centreAt(u)) < halfAt(u);
            });
            if (cover <= 0.0f) {
                continue;
            }
            const float u = std::clamp(uMid, 0.0f, 1.0f);
            const float across = (static_cast<float>(x) + 0.5f - cx) / std::max(halfAt(u), 0.3f);
            const Color c = mixColor(rootColor, tipColor, u) * (across > 0.0f ? 1.1f : 0.9f);
            canvas.paint(x, y, c, cover, 1.0f - std::min(1.0f, across * across));
        }
    }
}

void paintBlades(Canvas& canvas, Random& random, int count, float minHeight, float maxHeight)
{
    const Color rootGreen{0.14f, 0.26f, 0.07f};
    const Color tipGreen{0.42f, 0.62f, 0.20f};
    const Color tipDry{0.62f, 0.60f, 0.30f};
    for (int i = 0; i < count; ++i) {
        const float bladeHeight = random.range(minHeight, maxHeight);
        float bend = random.range(-36.0f, 36.0f);
        const float width = random.range(3.5f, 6.5f);
        const float rootX = random.range(12.0f, 244.0f);
        // Keep the tip inside the picture.
        bend = std::clamp(rootX + bend, 8.0f, 248.0f) - rootX;
        const Color tip = random.uniform() < 0.15f ? tipDry : tipGreen * random.range(0.85f, 1.1f);
        paintBlade(canvas, rootX, bladeHeight, bend, width, rootGreen * random.range(0.9f, 1.2f), tip);
    }
}

void paintDisc(Canvas& canvas, float cx, float cy, float radius, Color color, float relief)
{
    for (int y = static_cast<int>(cy - radius - 1.0f); y <= static_cast<int>(cy + radius + 1.0f); ++y) {
        for (int x = static_cast<int>(cx - radius - 1.0f); x <= static_cast<int>(cx + radius + 1.0f); ++x) {
            const float cover = coverageAt(x, y, [&](float px, float py) { return std::hypot(px - cx, py - cy) < radius; });
            canvas.paint(x, y, color, cover, relief);
        }
    }
}

} // namespace

TexturePair makeGrassBladeTexture(uint64_t seed)
{
    Random random(streamSeed(seed, 41));
    Canvas canvas(256);
    paintBlades(canvas, random, 100, 110.0f, 245.0f);
    return canvas.finish(2.0f);
}

TexturePair makeFlowerGrassTexture(uint64_t seed)
{
    Random random(streamSeed(seed, 42));
    Canvas canvas(256);
    paintBlades(canvas, random, 55, 90.0f, 200.0f);
    const Color petals[3] = {{0.95f, 0.84f, 0.22f}, {0.93f, 0.93f, 0.88f}, {0.62f, 0.42f, 0.86f}};
    for (int i = 0; i < 11; ++i) {
        const float x = random.range(20.0f, 236.0f);
        const float headY = random.range(150.0f, 236.0f);
        const float lean = random.range(-10.0f, 10.0f);
        paintLine(canvas, x, 2.0f, x + lean, headY, 2.0f, Color{0.18f, 0.34f, 0.10f});
        const Color petal = petals[random.below(3)];
        const float radius = random.range(6.0f, 9.0f);
        paintDisc(canvas, x + lean, headY, radius, petal, 0.6f);
        paintDisc(canvas, x + lean, headY, radius * 0.35f, Color{0.80f, 0.55f, 0.12f}, 1.0f);
    }
    return canvas.finish(2.0f);
}

RgbImage makeCrosshairTexture()
{
    constexpr int size = 64;
    RgbImage out(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // Offsets from the picture's corner, wrapping around.
            const float dx = static_cast<float>(x < size / 2 ? x : x - size) + 0.5f;
            const float dy = static_cast<float>(y < size / 2 ? y : y - size) + 0.5f;
            const float r = std::hypot(dx, dy);
            const bool ring = std::fabs(r - 14.0f) < 1.6f;
            const bool arms = (std::fabs(dx) < 1.6f || std::fabs(dy) < 1.6f) && r > 5.0f && r < 24.0f;
            const bool dot = r < 1.6f;
            if (ring || arms || dot) {
                out.set(x, y, Color{1.0f, 1.0f, 1.0f});
            }
        }
    }
    return out;
}

} // namespace assets
