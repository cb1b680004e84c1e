#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "asset_generator_fixture.h"
#include "bmp_writer.h"
#include "sky_textures.h"

using asset_test::Picture;

namespace {

bool endsWith(const std::string& s, std::string_view suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The foliage pictures' normal maps carry coverage in blue (see
// asset_generator_foliage_test.cpp), so they hold no unit normals.
bool isFoliage(const std::string& path)
{
    return path.find("leaves") != std::string::npos || path.find("grass_blades") != std::string::npos
        || path.find("grass_flowers") != std::string::npos;
}

bool isNormalMap(const std::string& path)
{
    return (endsWith(path, "_normal.bmp") && !isFoliage(path)) || endsWith(path, "detail1normal.bmp")
        || endsWith(path, "water_normal3.bmp");
}

float brightness(const uint8_t* p) { return static_cast<float>(std::max({p[0], p[1], p[2]})) / 255.0f; }

int channelDifference(const uint8_t* a, const uint8_t* b)
{
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

// Mean colour difference across the wrap-around seams against the mean
// between ordinary neighbours: a tileable picture shows no step at its edges.
double seamRatio(const Picture& p)
{
    double seam = 0.0;
    double inner = 0.0;
    for (int i = 0; i < p.height; ++i) {
        seam += channelDifference(p.at(p.width - 1, i), p.at(0, i));
        inner += channelDifference(p.at(p.width / 2, i), p.at(p.width / 2 + 1, i));
    }
    for (int i = 0; i < p.width; ++i) {
        seam += channelDifference(p.at(i, p.height - 1), p.at(i, 0));
        inner += channelDifference(p.at(i, p.height / 2), p.at(i, p.height / 2 + 1));
    }
    return seam / std::max(inner, 1.0);
}

} // namespace

TEST(AssetGeneratorTextures, EveryBitmapIsAPlain24BitBottomUpFile)
{
    int count = 0;
    for (const assets::GeneratedFile& f : asset_test::defaultAssets()) {
        if (!endsWith(f.path, ".bmp")) {
            continue;
        }
        SCOPED_TRACE(f.path);
        ++count;
        const std::string& b = f.bytes;
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(b.substr(0, 2), "BM");
        EXPECT_EQ(asset_test::read32(b, 2), b.size());
        EXPECT_EQ(asset_test::read32(b, 10), 54u);
        EXPECT_EQ(asset_test::read32(b, 14), 40u);
        const uint32_t width = asset_test::read32(b, 18);
        const uint32_t height = asset_test::read32(b, 22);
        EXPECT_EQ(width, height);
        EXPECT_TRUE(width == 64 || width == 256 || width == 512) << width;
        EXPECT_EQ(asset_test::read16(b, 26), 1u);
        EXPECT_EQ(asset_test::read16(b, 28), 24u);
        EXPECT_EQ(asset_test::read32(b, 30), 0u);
        const uint32_t stride = (width * 3u + 3u) & ~3u;
        EXPECT_EQ(asset_test::read32(b, 34), stride * height);
        EXPECT_EQ(b.size(), 54u + stride * height);
    }
    EXPECT_GE(count, 12 + 3 + 18);
}

TEST(AssetGeneratorTextures, EncoderPadsRowsAndWritesBlueGreenRedBottomFirst)
{
    assets::RgbImage image(3, 2);
    image.set(0, 0, {1.0f, 0.0f, 0.0f});  // bottom left: red
    image.set(2, 1, {0.0f, 0.0f, 1.0f});  // top right: blue
    const std::string b = assets::encodeBmp(image);
    ASSERT_EQ(b.size(), 54u + 2u * 12u);
    EXPECT_EQ(static_cast<uint8_t>(b[54 + 2]), 255u);   // first stored row is the bottom one; red is the third byte
    EXPECT_EQ(static_cast<uint8_t>(b[54 + 0]), 0u);
    EXPECT_EQ(b.substr(54 + 9, 3), std::string(3, '\0'));  // 3 padding bytes
    EXPECT_EQ(static_cast<uint8_t>(b[54 + 12 + 6]), 255u);  // second row, third pixel, blue first
}

TEST(AssetGeneratorTextures, NormalMapsHoldUnitNormalsPointingOut)
{
    int maps = 0;
    for (const assets::GeneratedFile& f : asset_test::defaultAssets()) {
        if (!isNormalMap(f.path)) {
            continue;
        }
        SCOPED_TRACE(f.path);
        ++maps;
        const Picture p = asset_test::decodePicture(f.bytes);
        ASSERT_GT(p.width, 0);
        double sumZ = 0.0;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                const uint8_t* px = p.at(x, y);
                const float nx = px[0] / 127.5f - 1.0f;
                const float ny = px[1] / 127.5f - 1.0f;
                const float nz = px[2] / 127.5f - 1.0f;
                ASSERT_NEAR(std::sqrt(nx * nx + ny * ny + nz * nz), 1.0f, 0.03f);
                ASSERT_GT(nz, 0.2f);
                sumZ += nz;
            }
        }
        EXPECT_GT(sumZ / (p.width * p.height), 0.8);  // mostly blue
    }
    EXPECT_EQ(maps, 5 + 2);
}

TEST(AssetGeneratorTextures, SurfaceTexturesTileSeamlessly)
{
    for (const char* path : {"Textures/grass_ground.bmp", "Textures/grass_ground_normal.bmp", "Textures/sand.bmp",
                             "Textures/rock.bmp", "Textures/rock_normal.bmp", "Textures/bark.bmp", "Textures/lakebed.bmp",
                             "Textures/detail1normal.bmp", "Textures/water_normal3.bmp"}) {
        SCOPED_TRACE(path);
        const Picture p = asset_test::picture(path);
        ASSERT_GT(p.width, 0);
        EXPECT_LT(seamRatio(p), 1.6);
    }
}

TEST(AssetGeneratorTextures, CutOutPicturesShowShapesOnBlack)
{
    for (const char* path : {"Textures/leaves.bmp", "Textures/leaves_dark.bmp", "Textures/grass_blades.bmp",
                             "Textures/grass_flowers.bmp"}) {
        SCOPED_TRACE(path);
        const Picture p = asset_test::picture(path);
        ASSERT_GT(p.width, 0);
        int empty = 0;
        int covered = 0;
        double coveredBrightness = 0.0;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                const uint8_t* px = p.at(x, y);
                const bool border = x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1;
                if (border) {
                    // The picture repeats at its edges: nothing may bleed across.
                    ASSERT_EQ(px[0] + px[1] + px[2], 0) << x << " " << y;
                }
                if (px[0] == 0 && px[1] == 0 && px[2] == 0) {
                    ++empty;
                } else {
                    ++covered;
                    coveredBrightness += brightness(px);
                }
            }
        }
        const int total = p.width * p.height;
        EXPECT_GT(empty, total / 5);
        EXPECT_GT(covered, total / 8);
        EXPECT_GT(coveredBrightness / covered, 0.25);
    }
}

TEST(AssetGeneratorTextures, CrosshairIsCentredOnTheCornerOverBlack)
{
    const Picture p = asset_test::picture("Textures/crosshair.bmp");
    ASSERT_EQ(p.width, 64);
    int bright = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* px = p.at(x, y);
            // Only exact black is transparent, so there is nothing in between.
            ASSERT_TRUE((px[0] == 0 && px[1] == 0 && px[2] == 0) || (px[0] == 255 && px[1] == 255 && px[2] == 255));
            bright += px[0] == 255 ? 1 : 0;
        }
    }
    EXPECT_GT(bright, 100);
    EXPECT_LT(bright, 64 * 64 / 4);
    // Drawn with coordinates -0.5 to 0.5, the picture's corner is the screen's centre.
    EXPECT_EQ(p.at(0, 0)[0], 255);
    EXPECT_EQ(p.at(63, 63)[0], 255);
    EXPECT_EQ(p.at(32, 32)[0], 0);
}

namespace {

// Where on the unit sky box a texel of a face picture shows, as the sky box
// draws each face: a bilinear blend of the quad's corners at
// (s, t) = (0, 0), (1, 0), (0, 1), (1, 1).
struct FaceQuad {
    const char* name;
    Vec3 corner00, corner10, corner01, corner11;
};

const FaceQuad kSkyBoxFaces[] = {
    {"Top", {-1, 1, 1}, {1, 1, 1}, {-1, 1, -1}, {1, 1, -1}},
    {"Left", {-1, -1, -1}, {-1, -1, 1}, {-1, 1, -1}, {-1, 1, 1}},
    {"Back", {1, -1, -1}, {-1, -1, -1}, {1, 1, -1}, {-1, 1, -1}},
    {"Right", {1, -1, 1}, {1, -1, -1}, {1, 1, 1}, {1, 1, -1}},
    {"Front", {-1, -1, 1}, {1, -1, 1}, {-1, 1, 1}, {1, 1, 1}},
};

Vec3 quadPoint(const FaceQuad& q, float s, float t)
{
    const Vec3 bottom = q.corner00 + (q.corner10 - q.corner00) * s;
    const Vec3 top = q.corner01 + (q.corner11 - q.corner01) * s;
    return bottom + (top - bottom) * t;
}

// The direction OpenGL samples at (s, t) of a cube-map face (major axis table).
Vec3 cubeMapDirection(const std::string& glFace, float s, float t)
{
    const float sc = 2.0f * s - 1.0f;
    const float tc = 2.0f * t - 1.0f;
    if (glFace == "+X") return {1.0f, -tc, -sc};
    if (glFace == "-X") return {-1.0f, -tc, sc};
    if (glFace == "+Y") return {sc, 1.0f, tc};
    if (glFace == "-Y") return {sc, -1.0f, -tc};
    if (glFace == "+Z") return {sc, -tc, 1.0f};
    return {-sc, -tc, -1.0f};
}

// Which cube-map face each picture of the first set is loaded into.
const std::map<std::string, std::string> kCubeFaceOf = {{"Front", "+Z"}, {"Back", "-Z"}, {"Right", "+X"},
                                                        {"Left", "-X"},  {"Bottom", "+Y"}, {"Top", "-Y"}};

Vec3 mirrored(Vec3 v) { return {v.x, -v.y, v.z}; }

// The sky point a texel stands for: the sky box's layout for the five drawn
// faces; for the bottom, which only the cube map uses, its place there.
Vec3 skyPoint(const std::string& face, float s, float t)
{
    for (const FaceQuad& q : kSkyBoxFaces) {
        if (face == q.name) {
            return quadPoint(q, s, t);
        }
    }
    return mirrored(cubeMapDirection(kCubeFaceOf.at(face), s, t));
}

} // namespace

TEST(AssetGeneratorTextures, CubeMapHoldsTheSkyBoxMirroredInTheHorizon)
{
    // The same pictures serve the sky box and the cube map; as loaded, a cube
    // lookup with (x, y, z) shows the sky box's (x, -y, z).
    for (const FaceQuad& q : kSkyBoxFaces) {
        for (float s : {0.0f, 0.3f, 1.0f}) {
            for (float t : {0.0f, 0.7f, 1.0f}) {
                const Vec3 box = quadPoint(q, s, t);
                const Vec3 cube = mirrored(cubeMapDirection(kCubeFaceOf.at(q.name), s, t));
                EXPECT_NEAR(length(box - cube), 0.0f, 1e-6f) << q.name << " " << s << " " << t;
            }
        }
    }
    // The generator lays its faces out the same way.
    for (assets::SkyFace face : assets::kSkyFaces) {
        const Vec3 p = assets::skyFacePoint(face, 2.0f * 0.2f - 1.0f, 2.0f * 0.9f - 1.0f);
        EXPECT_NEAR(length(p - skyPoint(assets::skyFaceName(face), 0.2f, 0.9f)), 0.0f, 1e-6f) << assets::skyFaceName(face);
    }
}

TEST(AssetGeneratorTextures, SkyFacesMeetWithoutSeams)
{
    const char* faces[] = {"Front", "Right", "Back", "Left", "Top", "Bottom"};
    for (const char* suffix : {"", "_2"}) {
        std::map<std::string, Picture> pictures;
        for (const char* face : faces) {
            pictures[face] = asset_test::picture(std::string("Textures/skies/zgsky") + face + suffix + ".bmp");
            ASSERT_EQ(pictures[face].width, 512) << face << suffix;
        }
        // Border texels lie exactly on the face's edges; index them by the
        // sky point they show, then compare every pair of faces that share it.
        std::map<std::array<long, 3>, std::vector<std::pair<std::string, const uint8_t*>>> byPoint;
        for (const char* face : faces) {
            const Picture& p = pictures[face];
            const float last = static_cast<float>(p.width - 1);
            for (int i = 0; i < p.width; ++i) {
                for (const auto& [x, y] : {std::pair{i, 0}, std::pair{i, p.height - 1}, std::pair{0, i}, std::pair{p.width - 1, i}}) {
                    const Vec3 point = skyPoint(face, static_cast<float>(x) / last, static_cast<float>(y) / last);
                    const std::array<long, 3> key{std::lround(point.x * 4096.0f), std::lround(point.y * 4096.0f),
                                                  std::lround(point.z * 4096.0f)};
                    auto& entries = byPoint[key];
                    if (entries.empty() || entries.back().first != face) {
                        entries.emplace_back(face, p.at(x, y));
                    }
                }
            }
        }
        std::map<std::string, int> sharedEdges;
        for (const auto& [key, entries] : byPoint) {
            for (size_t k = 1; k < entries.size(); ++k) {
                ASSERT_LE(channelDifference(entries[0].second, entries[k].second), 3)
                    << entries[0].first << " and " << entries[k].first << suffix;
                sharedEdges[entries[0].first + "|" + entries[k].first] += 1;
            }
        }
        // Twelve edges of the cube, each seen from both of its faces.
        EXPECT_EQ(sharedEdges.size(), 12u) << suffix;
    }
}

TEST(AssetGeneratorTextures, SkySetsDiffer)
{
    const Picture day = asset_test::picture("Textures/skies/zgskyFront.bmp");
    const Picture other = asset_test::picture("Textures/skies/zgskyFront_2.bmp");
    ASSERT_EQ(day.rgb.size(), other.rgb.size());
    long difference = 0;
    for (size_t i = 0; i < day.rgb.size(); ++i) {
        difference += std::abs(day.rgb[i] - other.rgb[i]);
    }
    EXPECT_GT(difference / static_cast<long>(day.rgb.size()), 10);
}
