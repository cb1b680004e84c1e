#include <gtest/gtest.h>

#include <algorithm>

#include "asset_generator_fixture.h"

using asset_test::Picture;

namespace {

// Averages 2x2 blocks, as a box-filtered mipmap level does.
Picture halve(const Picture& p)
{
    Picture out;
    out.width = p.width / 2;
    out.height = p.height / 2;
    out.rgb.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height) * 3u);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int sum = p.at(2 * x, 2 * y)[c] + p.at(2 * x + 1, 2 * y)[c] + p.at(2 * x, 2 * y + 1)[c]
                              + p.at(2 * x + 1, 2 * y + 1)[c];
                out.rgb[(static_cast<size_t>(y) * static_cast<size_t>(out.width) + static_cast<size_t>(x)) * 3u
                        + static_cast<size_t>(c)] = static_cast<uint8_t>((sum + 2) / 4);
            }
        }
    }
    return out;
}

// Mean of colour / coverage over the texels with some coverage: the colour the
// foliage program shows, by level.
double shownBrightness(const Picture& base, const Picture& normal)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < base.height; ++y) {
        for (int x = 0; x < base.width; ++x) {
            const int coverage = normal.at(x, y)[2];
            if (coverage < 64)
                continue;
            const uint8_t* c = base.at(x, y);
            sum += static_cast<double>(std::max({c[0], c[1], c[2]})) / coverage;
            ++count;
        }
    }
    return count > 0 ? sum / count : 0;
}

struct FoliagePair {
    const char* base;
    const char* normal;
};
constexpr FoliagePair foliage[] = {
    {"Textures/leaves.bmp", "Textures/leaves_normal.bmp"},
    {"Textures/leaves_dark.bmp", "Textures/leaves_dark_normal.bmp"},
    {"Textures/grass_blades.bmp", "Textures/grass_blades_normal.bmp"},
    {"Textures/grass_flowers.bmp", "Textures/grass_flowers_normal.bmp"},
};

} // namespace

// The picture is premultiplied by the coverage that the normal map's blue
// channel holds: empty texels are black with no coverage, and no covered texel
// is brighter than its coverage allows.
TEST(AssetGeneratorFoliage, PictureIsPremultipliedByTheCoverageInBlue)
{
    for (const FoliagePair& pair : foliage) {
        SCOPED_TRACE(pair.base);
        const Picture base = asset_test::picture(pair.base);
        const Picture normal = asset_test::picture(pair.normal);
        ASSERT_GT(base.width, 0);
        ASSERT_EQ(normal.width, base.width);
        int covered = 0;
        for (int y = 0; y < base.height; ++y) {
            for (int x = 0; x < base.width; ++x) {
                const uint8_t* c = base.at(x, y);
                const int coverage = normal.at(x, y)[2];
                ASSERT_LE(std::max({c[0], c[1], c[2]}), coverage + 1) << x << " " << y;
                covered += coverage > 127;
            }
        }
        EXPECT_GT(covered, base.width * base.height / 8);
    }
}

// Far away, cards sample small mipmap levels. Coverage and colour average
// alike there, so colour / coverage stays as bright as up close instead of
// sinking towards the black background (the dark distant cards).
TEST(AssetGeneratorFoliage, ShownColourKeepsItsBrightnessInSmallLevels)
{
    for (const FoliagePair& pair : foliage) {
        SCOPED_TRACE(pair.base);
        Picture base = asset_test::picture(pair.base);
        Picture normal = asset_test::picture(pair.normal);
        ASSERT_GT(base.width, 0);
        const double near = shownBrightness(base, normal);
        for (int level = 1; level <= 4; ++level) {
            base = halve(base);
            normal = halve(normal);
            EXPECT_NEAR(shownBrightness(base, normal), near, near * 0.15) << "level " << level;
        }
    }
}
