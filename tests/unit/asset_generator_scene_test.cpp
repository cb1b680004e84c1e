#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "asset_generator_fixture.h"
#include "reflection_clip.h"

using asset_test::LoadedGroup;
using asset_test::LoadedScene;
using asset_test::LoadedTriangle;

namespace {

constexpr const char* kSceneFiles[] = {"Scene/Verdal4.kxr", "Scene/Verdal3Leafs.kxr", "Scene/Verdal3Reflection.kxr",
                                       "Scene/Verdal4meadow.kxr"};

const LoadedScene& scene(const char* path)
{
    static std::vector<std::pair<std::string, LoadedScene>> cache;
    for (const auto& [name, loaded] : cache) {
        if (name == path) {
            return loaded;
        }
    }
    cache.emplace_back(path, asset_test::loadScene(asset_test::defaultAssets(), path));
    return cache.back().second;
}

Vec3 corner(const LoadedGroup& g, const LoadedTriangle& t, int k) { return g.positions[static_cast<size_t>(t.positions[static_cast<size_t>(k)])]; }

// The loader's tangent-space computation, in single precision as it stores it.
bool tangentBasisFinite(const LoadedGroup& g, const LoadedTriangle& t)
{
    const Vec3 p0 = corner(g, t, 0);
    const Vec3 e1 = corner(g, t, 1) - p0;
    const Vec3 e2 = corner(g, t, 2) - p0;
    const auto& q0 = g.texCoords[static_cast<size_t>(t.texCoords[0])];
    const auto& q1 = g.texCoords[static_cast<size_t>(t.texCoords[1])];
    const auto& q2 = g.texCoords[static_cast<size_t>(t.texCoords[2])];
    const float ds1 = q1[0] - q0[0];
    const float dt1 = q1[1] - q0[1];
    const float ds2 = q2[0] - q0[0];
    const float dt2 = q2[1] - q0[1];
    const float r = 1.0f / (dt2 * ds1 - ds2 * dt1);
    const Vec3 tangent = (e1 * dt2 - e2 * dt1) * r;
    const Vec3 binormal = (e2 * ds1 - e1 * ds2) * r;
    const Vec3 n = t.normal;
    const Vec3 tp = tangent - n * dot(n, tangent);
    const Vec3 bp = binormal - n * dot(n, binormal) - tp * dot(tp, binormal);
    const Vec3 tu = normalize(tp);
    const Vec3 bu = normalize(bp);
    return std::isfinite(tu.x) && std::isfinite(tu.y) && std::isfinite(tu.z) && std::isfinite(bu.x) && std::isfinite(bu.y) &&
           std::isfinite(bu.z);
}

std::string diskName(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

} // namespace

TEST(AssetGeneratorScenes, EveryFileReadsUnderTheFormatRules)
{
    for (const char* path : kSceneFiles) {
        SCOPED_TRACE(path);
        const assets::GeneratedFile* file = asset_test::findFile(asset_test::defaultAssets(), path);
        ASSERT_NE(file, nullptr);
        LoadedScene loaded;
        std::string error;
        ASSERT_TRUE(asset_test::parseKxr(file->bytes, loaded, error)) << error;
        ASSERT_FALSE(loaded.groups.empty());
        const int materialCount = static_cast<int>(loaded.materials.size());
        for (size_t g = 0; g < loaded.groups.size(); ++g) {
            const LoadedGroup& group = loaded.groups[g];
            for (const LoadedTriangle& t : group.triangles) {
                for (int k = 0; k < 3; ++k) {
                    ASSERT_GE(t.positions[static_cast<size_t>(k)], 0);
                    ASSERT_LT(t.positions[static_cast<size_t>(k)], static_cast<int>(group.positions.size()));
                    ASSERT_GE(t.texCoords[static_cast<size_t>(k)], 0);
                    ASSERT_LT(t.texCoords[static_cast<size_t>(k)], static_cast<int>(group.texCoords.size()));
                }
                ASSERT_TRUE(t.material == assets::kUntexturedMaterial || (t.material >= 0 && t.material < materialCount));
                // A group draws with its first triangle's material only.
                ASSERT_EQ(t.material, group.triangles.front().material) << "group " << g;
            }
        }
    }
}

TEST(AssetGeneratorScenes, TextureNamesUseBackslashesAndExist)
{
    for (const char* path : kSceneFiles) {
        SCOPED_TRACE(path);
        for (const auto& pair : scene(path).materials) {
            for (const std::string& name : pair) {
                EXPECT_EQ(name.rfind("Textures\\", 0), 0u) << name;
                EXPECT_EQ(name.find('/'), std::string::npos) << name;
                EXPECT_LT(name.size(), 200u);
                EXPECT_NE(asset_test::findFile(asset_test::defaultAssets(), diskName(name)), nullptr) << name;
            }
        }
    }
}

TEST(AssetGeneratorScenes, EveryTriangleGetsAFiniteTangentBasis)
{
    for (const char* path : kSceneFiles) {
        SCOPED_TRACE(path);
        const LoadedScene& s = scene(path);
        for (size_t g = 0; g < s.groups.size(); ++g) {
            for (const LoadedTriangle& t : s.groups[g].triangles) {
                ASSERT_TRUE(tangentBasisFinite(s.groups[g], t)) << "group " << g;
            }
        }
    }
}

TEST(AssetGeneratorScenes, FrontFacesAgreeWithTheStoredNormals)
{
    // Back faces are culled: a triangle wound against its normal would vanish
    // from the side it is lit from.
    for (const char* path : kSceneFiles) {
        SCOPED_TRACE(path);
        const LoadedScene& s = scene(path);
        for (size_t g = 0; g < s.groups.size(); ++g) {
            const LoadedGroup& group = s.groups[g];
            for (const LoadedTriangle& t : group.triangles) {
                const Vec3 winding = cross(corner(group, t, 1) - corner(group, t, 0), corner(group, t, 2) - corner(group, t, 0));
                ASSERT_GT(dot(winding, t.normal), 0.0f) << "group " << g;
                ASSERT_NEAR(length(t.normal), 1.0f, 1e-3f);
            }
        }
    }
}

TEST(AssetGeneratorScenes, MainSceneHasItsGroupLayout)
{
    const LoadedScene& s = scene("Scene/Verdal4.kxr");
    ASSERT_EQ(s.groups.size(), static_cast<size_t>(assets::kMainGroupCount));
    for (const LoadedGroup& g : s.groups) {
        EXPECT_FALSE(g.triangles.empty());
    }
    // Group 4 is drawn as a flat surface with an upward basis: the lake bed.
    const LoadedGroup& bed = s.groups[assets::kGroupLakeBed];
    for (const Vec3& p : bed.positions) {
        ASSERT_NEAR(p.y, assets::TerrainField::kBedLevel, 1e-4f);
    }
    for (const LoadedTriangle& t : bed.triangles) {
        ASSERT_NEAR(t.normal.y, 1.0f, 1e-4f);
    }
    // The ground faces up.
    for (int g : {assets::kGroupGrass, assets::kGroupShore, assets::kGroupRock}) {
        for (const LoadedTriangle& t : s.groups[static_cast<size_t>(g)].triangles) {
            ASSERT_GT(t.normal.y, 0.0f);
        }
    }
    EXPECT_EQ(s.materials[static_cast<size_t>(s.groups[assets::kGroupTrunks].triangles.front().material)][0],
              "Textures\\bark.bmp");
}

TEST(AssetGeneratorScenes, WaterShowsOnlyWithinTheWaterQuad)
{
    // The water is one 6 by 6 quad around the origin; ground below the surface
    // anywhere else would open a hole into the sky.
    const LoadedScene& s = scene("Scene/Verdal4.kxr");
    int underWater = 0;
    for (int g : {assets::kGroupGrass, assets::kGroupShore, assets::kGroupRock, assets::kGroupLakeBed}) {
        for (const Vec3& p : s.groups[static_cast<size_t>(g)].positions) {
            if (p.y < 0.0f) {
                ++underWater;
                ASSERT_LT(std::fabs(p.x), 2.9f);
                ASSERT_LT(std::fabs(p.z), 2.9f);
            }
        }
    }
    EXPECT_GT(underWater, 100);
}

TEST(AssetGeneratorScenes, ReflectionLeavesOutWhatLiesUnderWater)
{
    const LoadedScene& main = scene("Scene/Verdal4.kxr");
    const LoadedScene& reflection = scene("Scene/Verdal3Reflection.kxr");
    ASSERT_EQ(reflection.groups.size(), main.groups.size());
    EXPECT_EQ(reflection.materials, main.materials);
    int mainSubmerged = 0;
    for (const LoadedGroup& g : main.groups) {
        for (const LoadedTriangle& t : g.triangles) {
            mainSubmerged += std::max({corner(g, t, 0).y, corner(g, t, 1).y, corner(g, t, 2).y}) < 0.0f ? 1 : 0;
        }
    }
    EXPECT_GT(mainSubmerged, 0);
    for (const LoadedGroup& g : reflection.groups) {
        for (const LoadedTriangle& t : g.triangles) {
            for (int k = 0; k < 3; ++k) {
                ASSERT_GE(corner(g, t, k).y, -1e-4f);
            }
        }
    }
    // What stands above the water is all there: the trunks keep every triangle.
    EXPECT_GE(reflection.groups[assets::kGroupTrunks].triangles.size(), main.groups[assets::kGroupTrunks].triangles.size());
    EXPECT_TRUE(reflection.groups[assets::kGroupLakeBed].triangles.empty());
}

TEST(AssetGeneratorScenes, CardScenesHaveNoWaterGroup)
{
    // Group 4 of every scene gets the water's basis and normal map; leaves and
    // grass must not land there.
    EXPECT_LT(scene("Scene/Verdal3Leafs.kxr").groups.size(), 5u);
    EXPECT_LT(scene("Scene/Verdal4meadow.kxr").groups.size(), 5u);
    EXPECT_GT(scene("Scene/Verdal3Leafs.kxr").groups[0].triangles.size(), 1000u);
    EXPECT_GT(scene("Scene/Verdal4meadow.kxr").groups[0].triangles.size(), 4000u);
}

TEST(AssetGeneratorScenes, MeadowStaysOnDryLandAndSizesStayModest)
{
    const assets::TerrainField terrain = assets::sceneTerrain(assets::kDefaultSeed);
    for (const LoadedGroup& g : scene("Scene/Verdal4meadow.kxr").groups) {
        for (const Vec3& p : g.positions) {
            ASSERT_GT(p.y, 0.0f);
            ASSERT_GT(terrain.lakeDistance(p.x, p.z), 1.1f);
        }
    }
    size_t total = 0;
    for (const char* path : kSceneFiles) {
        for (const LoadedGroup& g : scene(path).groups) {
            total += g.triangles.size();
        }
    }
    EXPECT_LT(total, 100000u);
}

TEST(AssetGeneratorScenes, StartPoseStandsAboveTheGroundFacingTheLake)
{
    const assets::TerrainField terrain = assets::sceneTerrain(assets::kDefaultSeed);
    EXPECT_LT(terrain.height(0.0f, 0.68f), 0.19f - 0.1f);
    // Looking towards +z from the start, the water lies ahead.
    EXPECT_LT(terrain.height(0.1f, 1.9f), 0.0f);
}

TEST(AssetGeneratorScenes, WriterAppliesTheFileConventions)
{
    assets::KxrScene s;
    s.materials = {{"Textures\\a.bmp", "Textures\\b.bmp"}};
    s.groups.resize(1);
    assets::GroupBuilder b(s.groups[0], 0);
    const int p0 = b.addPosition({0.0f, 0.0f, 0.0f});
    const int p1 = b.addPosition({1.0f, 2.0f, -3.0f});
    const int p2 = b.addPosition({0.0f, 0.0f, -1.0f});
    const int t0 = b.addTexCoord({0.25f, 0.75f});
    b.addTriangle({p0, p1, p2}, {t0, t0, t0}, {0.0f, 0.0f, -1.0f});
    s.groups.emplace_back();
    assets::GroupBuilder u(s.groups[1], assets::kUntexturedMaterial);
    u.addPosition({0.0f, 0.0f, 0.0f});
    u.addTexCoord({0.0f, 0.0f});
    u.addTriangle({0, 0, 0}, {0, 0, 0}, {0.0f, 1.0f, 0.0f});

    const std::string text = assets::serializeKxr(s);
    // Positions times 100 with z negated, texture coordinates as s r t,
    // normals with z negated, material numbers from 1, untextured as 100.
    EXPECT_NE(text.find("100.000 200.000 300.000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0.25000 0.00000 0.75000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0.00000 0.00000 1.00000\n1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n100\n"), std::string::npos) << text;

    LoadedScene loaded;
    std::string error;
    ASSERT_TRUE(asset_test::parseKxr(text, loaded, error)) << error;
    EXPECT_FLOAT_EQ(loaded.groups[0].positions[1].z, -3.0f);
    EXPECT_FLOAT_EQ(loaded.groups[0].texCoords[0][1], 0.75f);
    EXPECT_FLOAT_EQ(loaded.groups[0].triangles[0].normal.z, -1.0f);
    EXPECT_EQ(loaded.groups[0].triangles[0].material, 0);
    EXPECT_EQ(loaded.groups[1].triangles[0].material, assets::kUntexturedMaterial);
}

TEST(AssetGeneratorScenes, ClippingCutsTrianglesAtTheSurface)
{
    assets::KxrGroup g;
    assets::GroupBuilder b(g, 0);
    b.addPosition({0.0f, 1.0f, 0.0f});
    b.addPosition({1.0f, -1.0f, 0.0f});
    b.addPosition({-1.0f, -1.0f, 0.0f});
    b.addTexCoord({0.5f, 1.0f});
    b.addTexCoord({1.0f, 0.0f});
    b.addTexCoord({0.0f, 0.0f});
    b.addTriangle({0, 1, 2}, {0, 1, 2});  // the tip sticks out of the water
    b.addPosition({0.0f, -0.1f, 5.0f});
    b.addPosition({1.0f, -0.1f, 5.0f});
    b.addPosition({0.0f, -0.2f, 6.0f});
    b.addTriangle({3, 4, 5}, {0, 1, 2});  // wholly under water

    const assets::KxrGroup clipped = assets::clipAboveWater(g);
    ASSERT_EQ(clipped.triangles.size(), 1u);
    const assets::KxrTriangle& t = clipped.triangles[0];
    const Vec3 a = clipped.positions[static_cast<size_t>(t.positions[0])];
    const Vec3 c1 = clipped.positions[static_cast<size_t>(t.positions[1])];
    const Vec3 c2 = clipped.positions[static_cast<size_t>(t.positions[2])];
    EXPECT_FLOAT_EQ(a.y, 1.0f);
    EXPECT_FLOAT_EQ(c1.y, 0.0f);
    EXPECT_FLOAT_EQ(c2.y, 0.0f);
    EXPECT_FLOAT_EQ(c1.x, 0.5f);
    EXPECT_FLOAT_EQ(c2.x, -0.5f);
    // The winding and the normal stay as they were.
    EXPECT_GT(dot(cross(c1 - a, c2 - a), t.normal), 0.0f);
    EXPECT_FLOAT_EQ(clipped.texCoords[static_cast<size_t>(t.texCoords[1])].t, 0.5f);
}

TEST(AssetGeneratorScenes, StageTreesStandWithinTheShadowMap)
{
    // The light looks from (-0.78, 3.8, 3.8) at (0, 0, 1.6) with an
    // orthographic box 6 units across: a tree outside it casts no shadow.
    const Vec3 eye{-0.78f, 3.8f, 3.8f};
    const Vec3 centre{0.0f, 0.0f, 1.6f};
    const Vec3 forward = normalize(centre - eye);
    const Vec3 side = normalize(cross(forward, Vec3{0.0f, 1.0f, 0.0f}));
    const Vec3 up = cross(side, forward);
    auto inside = [&](Vec3 p) { return std::fabs(dot(p - centre, side)) < 3.0f && std::fabs(dot(p - centre, up)) < 3.0f; };

    int stage = 0;
    for (const assets::Tree& tree : assets::buildScenes(assets::kDefaultSeed).trees) {
        if (tree.background) {
            continue;
        }
        ++stage;
        EXPECT_TRUE(inside(tree.base)) << tree.base.x << " " << tree.base.z;
        EXPECT_TRUE(inside(tree.crownCentre + Vec3{0.0f, tree.crownHalfHeight, 0.0f})) << tree.base.x << " " << tree.base.z;
    }
    EXPECT_GE(stage, 15);
}
