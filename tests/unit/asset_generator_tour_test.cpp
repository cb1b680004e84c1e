#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "asset_generator_fixture.h"

namespace {

using Waypoints = std::vector<std::array<Vec3, 2>>;

constexpr const char* kTourFiles[] = {"Scene/c1wp.wps", "Scene/c2wp.wps", "Scene/c3wp.wps"};
constexpr int kSamplesPerSegment = 40;

// The surface the eye must stay above: ground, boulders and lake bed from the
// main scene as the loader reads it, bucketed by position for quick look-ups.
class GroundMesh {
public:
    explicit GroundMesh(const asset_test::LoadedScene& scene)
    {
        for (int g : {assets::kGroupGrass, assets::kGroupShore, assets::kGroupRock, assets::kGroupLakeBed, assets::kGroupBoulders}) {
            const asset_test::LoadedGroup& group = scene.groups[static_cast<size_t>(g)];
            for (const asset_test::LoadedTriangle& t : group.triangles) {
                Tri tri{};
                for (int k = 0; k < 3; ++k) {
                    tri.p[k] = group.positions[static_cast<size_t>(t.positions[static_cast<size_t>(k)])];
                }
                triangles_.push_back(tri);
            }
        }
        buckets_.resize(kCells * kCells);
        for (size_t i = 0; i < triangles_.size(); ++i) {
            const Tri& t = triangles_[i];
            const float minX = std::min({t.p[0].x, t.p[1].x, t.p[2].x});
            const float maxX = std::max({t.p[0].x, t.p[1].x, t.p[2].x});
            const float minZ = std::min({t.p[0].z, t.p[1].z, t.p[2].z});
            const float maxZ = std::max({t.p[0].z, t.p[1].z, t.p[2].z});
            for (int cz = cell(minZ); cz <= cell(maxZ); ++cz) {
                for (int cx = cell(minX); cx <= cell(maxX); ++cx) {
                    buckets_[static_cast<size_t>(cz * kCells + cx)].push_back(i);
                }
            }
        }
    }

    // Highest surface point straight below or above (x, z); -inf if none.
    float highestAt(float x, float z) const
    {
        float best = -1.0e9f;
        for (size_t i : buckets_[static_cast<size_t>(cell(z) * kCells + cell(x))]) {
            const Tri& t = triangles_[i];
            const float d = (t.p[1].z - t.p[2].z) * (t.p[0].x - t.p[2].x) + (t.p[2].x - t.p[1].x) * (t.p[0].z - t.p[2].z);
            if (std::fabs(d) < 1e-12f) {
                continue;
            }
            const float a = ((t.p[1].z - t.p[2].z) * (x - t.p[2].x) + (t.p[2].x - t.p[1].x) * (z - t.p[2].z)) / d;
            const float b = ((t.p[2].z - t.p[0].z) * (x - t.p[2].x) + (t.p[0].x - t.p[2].x) * (z - t.p[2].z)) / d;
            const float c = 1.0f - a - b;
            if (a >= -1e-5f && b >= -1e-5f && c >= -1e-5f) {
                best = std::max(best, a * t.p[0].y + b * t.p[1].y + c * t.p[2].y);
            }
        }
        return best;
    }

private:
    struct Tri {
        Vec3 p[3];
    };
    static constexpr int kCells = 128;
    static constexpr float kLow = -16.0f;
    static constexpr float kSize = 36.0f;
    static int cell(float v) { return std::clamp(static_cast<int>((v - kLow) / kSize * kCells), 0, kCells - 1); }

    std::vector<Tri> triangles_;
    std::vector<std::vector<size_t>> buckets_;
};

// Eye positions as playback shows them: straight segments, the last one back
// to the first waypoint.
std::vector<Vec3> playbackEyes(const Waypoints& w)
{
    std::vector<Vec3> eyes;
    for (size_t i = 0; i < w.size(); ++i) {
        const Vec3 a = w[i][0];
        const Vec3 b = w[(i + 1) % w.size()][0];
        for (int k = 0; k < kSamplesPerSegment; ++k) {
            eyes.push_back(a + (b - a) * (static_cast<float>(k) / kSamplesPerSegment));
        }
    }
    return eyes;
}

void expectToursClear(const std::vector<assets::GeneratedFile>& files, uint64_t seed)
{
    const asset_test::LoadedScene main = asset_test::loadScene(files, "Scene/Verdal4.kxr");
    const asset_test::LoadedScene leaves = asset_test::loadScene(files, "Scene/Verdal3Leafs.kxr");
    ASSERT_EQ(main.groups.size(), static_cast<size_t>(assets::kMainGroupCount));
    const GroundMesh ground(main);
    const assets::TerrainField terrain = assets::sceneTerrain(seed);
    const assets::SceneSet set = assets::buildScenes(seed);

    for (const char* path : kTourFiles) {
        SCOPED_TRACE(path);
        const assets::GeneratedFile* file = asset_test::findFile(files, path);
        ASSERT_NE(file, nullptr);
        const Waypoints w = asset_test::parseWaypoints(file->bytes);
        ASSERT_GE(w.size(), 10u);
        ASSERT_LE(w.size(), 30u);

        for (const Vec3& eye : playbackEyes(w)) {
            ASSERT_GT(eye.y, 0.05f) << eye.x << " " << eye.z;
            const float below = ground.highestAt(eye.x, eye.z);
            ASSERT_GT(below, -1.0f) << "no ground under " << eye.x << " " << eye.z;
            ASSERT_GE(eye.y - below, 0.05f) << eye.x << " " << eye.y << " " << eye.z;
            ASSERT_GE(eye.y - std::max(terrain.height(eye.x, eye.z), 0.0f), 0.05f);
            for (const assets::Tree& tree : set.trees) {
                ASSERT_TRUE(assets::treeClearsPoint(tree, eye, 0.03f)) << eye.x << " " << eye.y << " " << eye.z;
            }
        }
        // Leaf cards, as bounding spheres, keep out of the eye's way.
        for (const asset_test::LoadedGroup& g : leaves.groups) {
            for (size_t c = 0; c + 1 < g.triangles.size(); c += 2) {
                const asset_test::LoadedTriangle& t = g.triangles[c];
                const Vec3 a = g.positions[static_cast<size_t>(t.positions[0])];
                const Vec3 b = g.positions[static_cast<size_t>(t.positions[2])];
                const Vec3 centre = (a + b) * 0.5f;
                const float radius = length(b - a) * 0.5f;
                for (const Vec3& eye : playbackEyes(w)) {
                    ASSERT_GT(length(eye - centre), radius + 0.02f);
                }
            }
        }
        for (const auto& [eye, target] : w) {
            const Vec3 view = target - eye;
            // gluLookAt with up (0, 1, 0) needs a view that is not vertical.
            ASSERT_GT(std::hypot(view.x, view.z), 0.25f * length(view));
        }
    }
}

} // namespace

TEST(AssetGeneratorTours, StayAboveGroundWaterAndClearOfTrees)
{
    expectToursClear(asset_test::defaultAssets(), assets::kDefaultSeed);
}

TEST(AssetGeneratorTours, StayClearForOtherSeedsToo)
{
    for (uint64_t seed : {2u, 977u}) {
        SCOPED_TRACE(seed);
        expectToursClear(assets::generateSceneFiles(seed), seed);
    }
}

TEST(AssetGeneratorTours, FirstTourStartsAtTheFreeFlyStartPose)
{
    const Waypoints w = asset_test::parseWaypoints(asset_test::findFile(asset_test::defaultAssets(), "Scene/c1wp.wps")->bytes);
    ASSERT_FALSE(w.empty());
    EXPECT_NEAR(w[0][0].x, 0.0f, 1e-4f);
    EXPECT_NEAR(w[0][0].y, 0.19f, 1e-4f);
    EXPECT_NEAR(w[0][0].z, 0.68f, 1e-4f);
    EXPECT_GT(w[0][1].z, w[0][0].z + 1.0f);  // looking over the lake, towards +z
}

TEST(AssetGeneratorTours, WaypointsAreEvenlySpaced)
{
    // Every segment plays for the same time: even spacing means even speed.
    for (const char* path : kTourFiles) {
        SCOPED_TRACE(path);
        const Waypoints w = asset_test::parseWaypoints(asset_test::findFile(asset_test::defaultAssets(), path)->bytes);
        float shortest = 1e9f;
        float longest = 0.0f;
        for (size_t i = 0; i < w.size(); ++i) {
            const Vec3 d = w[(i + 1) % w.size()][0] - w[i][0];
            const float l = std::hypot(d.x, d.z);
            shortest = std::min(shortest, l);
            longest = std::max(longest, l);
        }
        EXPECT_GT(shortest, 0.05f);
        EXPECT_LT(longest, 2.0f * shortest);
    }
}

TEST(AssetGeneratorTours, FileHoldsSixNumbersPerWaypointInTwoLines)
{
    assets::CameraTour tour = {{{0.0f, 0.19f, 0.68f}, {1.0f, 12.5f, 1234567.0f}}, {{-0.5f, 0.0000098f, 3.0f}, {0.0f, 1.0f, 2.0f}}};
    EXPECT_EQ(assets::serializeWps(tour), "0 0.19 0.68\n1 12.5 1.23457e+06\n-0.5 9.8e-06 3\n0 1 2\n");
}
