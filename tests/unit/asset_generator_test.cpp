// The generated data as the demo reads it: written to disk by the generator's
// own writer, then read back by the demo's scene, bitmap and waypoint readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "asset_set.h"
#include "ground_mesh.h"
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

bool isFoliage(const std::string& path)
{
    return path.find("leaves") != std::string::npos || path.find("grass_blades") != std::string::npos
        || path.find("grass_flowers") != std::string::npos;
}

Vec3 corner(const MeshGroup& g, const MeshTriangle& t, int k) { return g.positions[t.positionIndices[k]]; }
bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Twice the triangle's area seen from above; positive when counter-clockwise.
float doubleAreaFromAbove(Vec3 a, Vec3 b, Vec3 c) { return cross(b - a, c - a).y; }

} // namespace

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
        // A foliage picture is premultiplied by the coverage its normal map
        // holds in blue: the foliage program divides one by the other.
        if (isFoliage(f.path) && f.path.find("normal") == std::string::npos) {
            const auto normal = loadDibImage((runDir() / f.path).replace_extension().string().append("_normal.bmp").c_str());
            ASSERT_TRUE(normal && normal->data.size() == image->data.size());
            for (size_t i = 0; i < image->data.size(); i += 3)
                ASSERT_LE(std::max({image->data[i], image->data[i + 1], image->data[i + 2]}), normal->data[i + 2] + 1) << i / 3;
        }
        if (f.path.find("normal") == std::string::npos || isFoliage(f.path))
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

// The ground mesh for the scenery and for its mirrored copy: the ground's
// square covered once, without cracks (every edge inside the square shared by
// two triangles, so no corner lies on another triangle's edge), and beyond
// the stage no triangle much longer than it is wide: the demo lights each
// triangle flat, and long thin faces down the hills showed as streaks.
TEST(AssetGenerator, GroundMeshCoversTheGroundOnceWithoutCracksOrSlivers)
{
    const struct {
        const char* name;
        assets::GroundMeshSpacing spacing;
    } cases[] = {{"scenery", assets::kSceneryGround}, {"mirrored", assets::kMirroredGround}};
    const assets::TerrainField terrain = assets::sceneTerrain(assets::kDefaultSeed);
    const float sx = assets::TerrainField::kStageX, sz = assets::TerrainField::kStageZ;
    const float edge = assets::kGroundHalfSize;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const assets::GroundMesh mesh = assets::buildGroundMesh(terrain, c.spacing);
        auto at = [&](int i) { return mesh.points[static_cast<size_t>(i)]; };
        auto onBorder = [&](Vec3 p) { return std::max(std::fabs(p.x - sx), std::fabs(p.z - sz)) > edge - 1e-3f; };
        std::map<std::pair<int, int>, int> edgeUses;
        double area = 0;
        int slivers = 0;
        for (const auto& t : mesh.triangles) {
            const float doubled = doubleAreaFromAbove(at(t[0]), at(t[1]), at(t[2]));
            ASSERT_GT(doubled, 0.0f);
            area += 0.5 * doubled;
            float longest = 0;
            for (int k = 0; k < 3; ++k) {
                const int a = t[static_cast<size_t>(k)], b = t[static_cast<size_t>((k + 1) % 3)];
                ++edgeUses[{std::min(a, b), std::max(a, b)}];
                longest = std::max(longest, assets::horizontalDistance(at(a), at(b)));
            }
            const Vec3 middle = (at(t[0]) + at(t[1]) + at(t[2])) * (1.0f / 3.0f);
            const bool beyondStage = std::max(std::fabs(middle.x - sx), std::fabs(middle.z - sz)) > assets::kStageHalfSize;
            // Longest edge against the height over it: up to 7 and 11 here, 34
            // for the long cells of a grid fine along one axis only.
            slivers += beyondStage && longest * longest / doubled > 12.0f;
        }
        EXPECT_NEAR(area, 4.0 * edge * edge, 1e-3 * edge * edge);
        for (const auto& [e, uses] : edgeUses)
            ASSERT_EQ(uses, onBorder(at(e.first)) && onBorder(at(e.second)) ? 1 : 2) << at(e.first).x << ", " << at(e.first).z;
        EXPECT_EQ(slivers, 0);
    }
}
