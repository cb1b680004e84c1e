// The generated data as the demo reads it: written to disk by the generator's
// own writer, then read back by the demo's scene, bitmap and waypoint readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "asset_set.h"
#include "image/dib_image.h"
#include "scene/kxr_parser.h"
#include "scene/tangent_space.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

constexpr const char* sceneFiles[] = {"Scene/Verdal4.kxr", "Scene/Verdal3Leafs.kxr",
                                      "Scene/Verdal3Reflection.kxr", "Scene/Verdal4meadow.kxr"};

const std::vector<assets::GeneratedFile>& defaultAssets()
{
    static const auto files = assets::generateAssets(assets::kDefaultSeed);
    return files;
}

// The default set written once into a run directory of its own.
const std::filesystem::path& runDir()
{
    static const std::filesystem::path dir = [] {
        auto d = makeTempDir("assets") / "run";
        std::string error;
        EXPECT_TRUE(assets::writeAssets(defaultAssets(), d, error)) << error;
        return d;
    }();
    return dir;
}

SceneData readScene(const char* path)
{
    SceneData data;
    std::string error;
    EXPECT_TRUE(parseKxr(readFile(runDir() / path), path, data, error)) << error;
    return data;
}

Vec3 corner(const MeshGroup& g, const MeshTriangle& t, int k) { return g.positions[t.positionIndices[k]]; }
bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

} // namespace

TEST(AssetGenerator, SameSeedSameBytesOtherSeedOtherScene)
{
    const auto again = assets::generateAssets(assets::kDefaultSeed);
    ASSERT_EQ(again.size(), defaultAssets().size());
    for (size_t i = 0; i < again.size(); ++i)
        EXPECT_TRUE(again[i].path == defaultAssets()[i].path && again[i].bytes == defaultAssets()[i].bytes) << again[i].path;
    const auto otherScenes = assets::generateSceneFiles(assets::kDefaultSeed + 1);
    EXPECT_NE(otherScenes[0].bytes, assets::generateSceneFiles(assets::kDefaultSeed)[0].bytes) << otherScenes[0].path;
}

// Every scene the demo's reader accepts, with finite tangents and front faces
// that agree with the stored normals. (That their textures are in the set is
// the demo cycle's start-up to find: a missing one ends the program.)
TEST(AssetGenerator, ScenesReadWithFiniteTangentsAndTrueWinding)
{
    for (const char* path : sceneFiles) {
        SceneData data = readScene(path);
        ASSERT_FALSE(data.groups.empty()) << path;
        computeTangents(data.groups);
        for (const MeshGroup& group : data.groups)
            for (const MeshTriangle& t : group.triangles) {
                const Vec3 a = corner(group, t, 0);
                const Vec3 winding = cross(corner(group, t, 1) - a, corner(group, t, 2) - a);
                ASSERT_TRUE(finite(t.tangent) && finite(t.binormal) && dot(winding, t.normal) > 0.0f) << path;
            }
    }
}

TEST(AssetGenerator, ReflectionLeavesOutWhatLiesUnderWater)
{
    const SceneData main = readScene("Scene/Verdal4.kxr");
    const SceneData reflection = readScene("Scene/Verdal3Reflection.kxr");
    ASSERT_EQ(reflection.groups.size(), main.groups.size());
    float lowest = 0.0f, lowestMain = 0.0f;
    for (const MeshGroup& g : reflection.groups)
        for (const MeshTriangle& t : g.triangles)
            for (int k = 0; k < 3; ++k)
                lowest = std::min(lowest, corner(g, t, k).y);
    for (const MeshGroup& g : main.groups)
        for (const Vec3& p : g.positions)
            lowestMain = std::min(lowestMain, p.y);
    EXPECT_GE(lowest, -1e-4f);
    EXPECT_LT(lowestMain, -0.05f) << "the main scene reaches under the water";
}

TEST(AssetGenerator, BitmapsDecodeAndNormalMapsHoldUnitNormalsPointingOut)
{
    recordMessageBoxes();
    int normalMaps = 0;
    for (const assets::GeneratedFile& f : defaultAssets()) {
        if (!f.path.ends_with(".bmp"))
            continue;
        SCOPED_TRACE(f.path);
        const auto image = loadDibImage((runDir() / f.path).string().c_str());
        ASSERT_NE(image, nullptr);
        if (f.path.find("normal") == std::string::npos)
            continue;
        ++normalMaps;
        for (size_t i = 0; i < image->data.size(); i += 3) {
            const float nx = image->data[i] / 127.5f - 1.0f, ny = image->data[i + 1] / 127.5f - 1.0f,
                        nz = image->data[i + 2] / 127.5f - 1.0f;
            ASSERT_NEAR(std::sqrt(nx * nx + ny * ny + nz * nz), 1.0f, 0.03f);
            ASSERT_GT(nz, 0.2f);
        }
    }
    EXPECT_GE(normalMaps, 3);
    EXPECT_TRUE(recordedBoxes().empty());
}
