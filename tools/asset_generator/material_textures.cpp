#include "material_textures.h"

#include <cmath>

#include "noise.h"
#include "normal_map.h"
#include "random.h"
#include "vector_math.h"

namespace assets {
namespace {

constexpr float kTwoPi = 6.28318531f;

// Per-pixel grain in [-1, 1], independent for every pixel.
float grain(uint64_t seed, int x, int y) { return hashToUnit(latticeHash(seed, x, y)) * 2.0f - 1.0f; }

template <typename Fn>
void forEachPixel(int size, Fn fn)
{
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            fn(x, y, static_cast<float>(x) / static_cast<float>(size), static_cast<float>(y) / static_cast<float>(size));
        }
    }
}

// A tileable surface: `paint` gives each texel's colour and sets its relief,
// from which the normal map is made.
template <typename Paint>
TexturePair paintSurface(int size, float normalStrength, Paint paint)
{
    TexturePair out{RgbImage(size, size), RgbImage()};
    FloatImage height(size, size);
    forEachPixel(size, [&](int x, int y, float s, float t) {
        float relief = 0.0f;
        out.base.set(x, y, paint(x, y, s, t, relief));
        height.at(x, y) = relief;
    });
    out.normal = normalMapFromHeight(height, normalStrength, true);
    return out;
}

// Short straight strokes drawn with wrap-around into a tileable layer.
void addStroke(FloatImage& layer, float x0, float y0, float angle, float length, float value)
{
    const float dx = std::cos(angle);
    const float dy = std::sin(angle);
    const int steps = static_cast<int>(length * 2.0f) + 1;
    for (int i = 0; i <= steps; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(steps);
        const int px = static_cast<int>(std::floor(x0 + dx * length * f));
        const int py = static_cast<int>(std::floor(y0 + dy * length * f));
        const int wx = ((px % layer.width) + layer.width) % layer.width;
        const int wy = ((py % layer.height) + layer.height) % layer.height;
        // Blades taper: strongest at the root.
        layer.at(wx, wy) += value * (1.0f - 0.6f * f);
    }
}

} // namespace

TexturePair makeGrassGroundTexture(uint64_t seed)
{
    constexpr int size = 512;
    Random random(streamSeed(seed, 11));
    FloatImage strokes(size, size);
    FloatImage blades(size, size);
    for (int i = 0; i < 14000; ++i) {
        const float x = random.range(0.0f, size);
        const float y = random.range(0.0f, size);
        const float angle = random.range(0.9f, 2.25f);  // mostly upright blades seen from above
        const float length = random.range(3.0f, 9.0f);
        const float shade = random.range(-1.0f, 1.0f);
        addStroke(strokes, x, y, angle, length, shade);
        addStroke(blades, x, y, angle, length, 1.0f);
    }
    const Color lush{0.21f, 0.37f, 0.10f};
    const Color deep{0.12f, 0.25f, 0.06f};
    const Color dry{0.45f, 0.43f, 0.19f};
    return paintSurface(size, 0.9f, [&](int x, int y, float s, float t, float& relief) {
        const float patches = fbm(seed + 1, s * 4.0f, t * 4.0f, 5, 4, 4);
        const float dryness = smoothstep(0.25f, 0.6f, fbm(seed + 2, s * 3.0f, t * 3.0f, 4, 3, 3));
        Color c = mixColor(lush, deep, clamp01(0.5f + patches));
        c = mixColor(c, dry, dryness * 0.7f);
        const float stroke = std::clamp(strokes.at(x, y), -1.5f, 1.5f);
        c = c * (1.0f + 0.3f * stroke + 0.08f * grain(seed + 3, x, y));
        relief = 0.6f * std::min(blades.at(x, y), 2.0f) + 1.5f * patches;
        return c;
    });
}

TexturePair makeSandTexture(uint64_t seed)
{
    constexpr int size = 256;
    const Color dryColor{0.56f, 0.51f, 0.38f};
    const Color wetColor{0.40f, 0.37f, 0.27f};
    return paintSurface(size, 0.45f, [&](int x, int y, float s, float t, float& relief) {
        const float warp = fbm(seed + 1, s * 4.0f, t * 4.0f, 3, 4, 4);
        const float ripple = std::sin(kTwoPi * (7.0f * t + 2.0f * s + 0.45f * warp));
        const float damp = smoothstep(-0.1f, 0.5f, fbm(seed + 2, s * 2.0f, t * 2.0f, 4, 2, 2));
        Color c = mixColor(dryColor, wetColor, damp * 0.75f);
        c = c * (1.0f + 0.05f * ripple + 0.09f * grain(seed + 3, x, y));
        relief = 1.2f * ripple + 0.8f * grain(seed + 4, x, y);
        return c;
    });
}

TexturePair makeRockTexture(uint64_t seed)
{
    constexpr int size = 512;
    const Color light{0.56f, 0.54f, 0.50f};
    const Color dark{0.33f, 0.32f, 0.31f};
    const Color lichen{0.50f, 0.52f, 0.30f};
    return paintSurface(size, 0.7f, [&](int x, int y, float s, float t, float& relief) {
        const float body = fbm(seed + 1, s * 5.0f, t * 5.0f, 6, 5, 5);
        // Warped cells give irregular slabs instead of tiles.
        const float warpX = 0.35f * fbm(seed + 5, s * 4.0f, t * 4.0f, 3, 4, 4);
        const float warpY = 0.35f * fbm(seed + 6, s * 4.0f, t * 4.0f, 3, 4, 4);
        const CellDistances cells = cellNoise(seed + 2, s * 5.0f + warpX, t * 5.0f + warpY, 5);
        const float seam = 1.0f - smoothstep(0.0f, 0.035f, cells.second - cells.nearest);
        const float facet = hashToUnit(cells.nearestId) - 0.5f;
        // Thin cracks where the ridged noise peaks.
        const float ridge = ridgedFbm(seed + 7, s * 8.0f, t * 8.0f, 3, 8, 8);
        const float crack = smoothstep(0.82f, 0.95f, ridge);
        const float spots = smoothstep(0.35f, 0.6f, fbm(seed + 3, s * 9.0f, t * 9.0f, 4, 9, 9));
        Color c = mixColor(dark, light, clamp01(0.5f + 0.9f * body + 0.18f * facet));
        c = mixColor(c, lichen, spots * 0.5f);
        c = c * (1.0f - 0.3f * seam - 0.35f * crack) * (1.0f + 0.08f * grain(seed + 4, x, y));
        relief = 7.0f * body + 1.0f * facet - 1.5f * seam - 1.5f * crack + 0.3f * grain(seed + 8, x, y);
        return c;
    });
}

TexturePair makeBarkTexture(uint64_t seed)
{
    constexpr int size = 256;
    const Color ridgeColor{0.36f, 0.28f, 0.20f};
    const Color furrowColor{0.14f, 0.10f, 0.07f};
    return paintSurface(size, 1.2f, [&](int x, int y, float s, float t, float& relief) {
        // Furrows run along the trunk (t): fine across, long along.
        const float ridges = ridgedFbm(seed + 1, s * 10.0f, t * 2.0f, 5, 10, 2);
        const float moss = smoothstep(0.3f, 0.6f, fbm(seed + 2, s * 3.0f, t * 3.0f, 4, 3, 3));
        Color c = mixColor(furrowColor, ridgeColor, smoothstep(0.25f, 0.8f, ridges));
        c = mixColor(c, Color{0.25f, 0.33f, 0.14f}, moss * 0.35f);
        c = c * (1.0f + 0.08f * grain(seed + 3, x, y));
        relief = 5.0f * ridges;
        return c;
    });
}

TexturePair makeLakeBedTexture(uint64_t seed)
{
    constexpr int size = 256;
    const Color mud{0.31f, 0.29f, 0.19f};
    const Color algae{0.20f, 0.27f, 0.14f};
    return paintSurface(size, 0.9f, [&](int x, int y, float s, float t, float& relief) {
        const CellDistances pebbles = cellNoise(seed + 1, s * 12.0f, t * 12.0f, 12);
        const float radius = 0.22f + 0.18f * hashToUnit(pebbles.nearestId);
        const float inside = 1.0f - smoothstep(radius - 0.05f, radius, pebbles.nearest);
        const float tone = hashToUnit(mix64(pebbles.nearestId));
        const Color pebble{0.36f + 0.2f * tone, 0.34f + 0.17f * tone, 0.30f + 0.12f * tone};
        const float growth = smoothstep(-0.1f, 0.45f, fbm(seed + 2, s * 3.0f, t * 3.0f, 4, 3, 3));
        Color c = mixColor(mud, algae, growth * 0.8f);
        c = mixColor(c, pebble, inside * 0.85f);
        c = c * (1.0f + 0.07f * grain(seed + 3, x, y));
        const float dome = inside * std::sqrt(std::max(0.0f, 1.0f - pebbles.nearest / radius));
        relief = 4.0f * dome + 0.6f * fbm(seed + 4, s * 8.0f, t * 8.0f, 3, 8, 8);
        return c;
    });
}

RgbImage makeDetailNormalMap(uint64_t seed)
{
    constexpr int size = 256;
    return paintSurface(size, 0.9f, [&](int x, int y, float s, float t, float& relief) {
        const float bumps = fbm(seed + 1, s * 16.0f, t * 16.0f, 4, 16, 16);
        const CellDistances cells = cellNoise(seed + 2, s * 24.0f, t * 24.0f, 24);
        relief = 2.0f * bumps + 0.8f * (1.0f - cells.nearest) + 0.25f * grain(seed + 3, x, y);
        return Color{};
    }).normal;
}

RgbImage makeWaterNormalMap(uint64_t seed)
{
    constexpr int size = 256;
    struct Wave {
        float kx;
        float ky;
        float amplitude;
        float phase;
    };
    // Whole numbers of wave crests across the tile keep it seamless.
    Random random(streamSeed(seed, 21));
    Wave waves[12];
    for (Wave& w : waves) {
        int kx = 0;
        int ky = 0;
        while (kx == 0 && ky == 0) {
            kx = random.below(11) - 5;
            ky = random.below(9) + 1 - random.below(3);
        }
        const float k = std::hypot(static_cast<float>(kx), static_cast<float>(ky));
        w = Wave{static_cast<float>(kx), static_cast<float>(ky), 1.0f / std::pow(k, 1.3f), random.range(0.0f, kTwoPi)};
    }
    return paintSurface(size, 1.0f, [&](int, int, float s, float t, float& relief) {
        float h = 0.0f;
        for (const Wave& w : waves) {
            h += w.amplitude * std::sin(kTwoPi * (w.kx * s + w.ky * t) + w.phase);
        }
        h += 0.25f * fbm(seed + 1, s * 16.0f, t * 16.0f, 3, 16, 16);
        relief = h * 5.0f;
        return Color{};
    }).normal;
}

} // namespace assets
