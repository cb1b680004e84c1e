#include "tree_layout.h"

#include <algorithm>
#include <cmath>

#include "random.h"

namespace assets {
namespace {

constexpr float kPi = 3.14159265f;

struct Spot {
    float x;
    float z;
};

// Around the lake and the meadow, inside the part of the world the shadow map covers.
constexpr Spot kStageSpots[] = {
    {-0.9f, -0.7f}, {0.5f, -0.55f}, {-2.2f, 0.45f}, {-2.1f, -0.6f}, {-1.2f, -1.2f}, {0.6f, -1.0f},
    {1.9f, -0.3f},  {2.3f, 0.6f},   {-1.3f, 1.05f}, {-2.25f, 1.8f}, {2.2f, 2.3f},   {-1.8f, 3.2f},
    {-0.55f, 3.6f}, {0.75f, 3.85f}, {1.6f, 3.5f},   {-0.15f, 4.6f}, {1.1f, 4.6f},   {-1.45f, 4.2f},
    {-2.6f, 3.4f},  {-2.7f, 2.4f},
};

Tree makeTree(const TerrainField& terrain, float x, float z, Random& random, bool background)
{
    Tree tree;
    const float ground = terrain.height(x, z);
    tree.base = Vec3{x, ground, z};
    tree.height = background ? random.range(1.0f, 1.5f) : random.range(0.85f, 1.25f);
    tree.trunkRadius = tree.height * random.range(0.026f, 0.034f);
    tree.crownRadius = tree.height * random.range(0.34f, 0.42f);
    tree.crownHalfHeight = tree.height * random.range(0.36f, 0.44f);
    tree.crownCentre = Vec3{x, ground + tree.height * 0.8f, z};
    tree.leafSize = tree.height * random.range(0.28f, 0.34f);
    tree.species = random.uniform() < 0.35f ? 1 : 0;
    tree.background = background;
    tree.id = random.next();
    return tree;
}

bool clearOfTours(const Tree& tree, const std::vector<Vec3>& tourPoints)
{
    return std::all_of(tourPoints.begin(), tourPoints.end(),
                       [&](const Vec3& p) { return treeClearsPoint(tree, p, kTourObstacleClearance + 0.04f); });
}

// The whole tree, crown included, casts its shadow into the shadow map.
bool shadowedByTheLight(const Tree& tree)
{
    const Vec3 top = tree.crownCentre + Vec3{0.0f, tree.crownHalfHeight, 0.0f};
    for (const Vec3& p : {tree.base, top, tree.crownCentre + Vec3{tree.crownRadius, 0.0f, 0.0f},
                          tree.crownCentre - Vec3{tree.crownRadius, 0.0f, 0.0f}, tree.crownCentre + Vec3{0.0f, 0.0f, tree.crownRadius},
                          tree.crownCentre - Vec3{0.0f, 0.0f, tree.crownRadius}}) {
        if (!insideShadowMap(p, 0.05f)) {
            return false;
        }
    }
    return true;
}

bool clearOfTrees(float x, float z, const std::vector<Tree>& trees, float spacing)
{
    return std::all_of(trees.begin(), trees.end(),
                       [&](const Tree& t) { return std::hypot(t.base.x - x, t.base.z - z) >= spacing; });
}

} // namespace

bool insideShadowMap(Vec3 point, float margin)
{
    const Vec3 lightEye{-0.78f, 3.8f, 3.8f};
    const Vec3 lightCentre{0.0f, 0.0f, 1.6f};
    const Vec3 forward = normalize(lightCentre - lightEye);
    const Vec3 side = normalize(cross(forward, Vec3{0.0f, 1.0f, 0.0f}));
    const Vec3 up = cross(side, forward);
    const Vec3 d = point - lightCentre;
    return std::fabs(dot(d, side)) <= 3.0f - margin && std::fabs(dot(d, up)) <= 3.0f - margin;
}

bool treeClearsPoint(const Tree& tree, Vec3 point, float margin)
{
    const float top = tree.base.y + tree.height;
    if (point.y <= top + margin && horizontalDistance(point, tree.base) < tree.trunkRadius + margin) {
        return false;
    }
    const float reach = 0.5f * tree.leafSize + margin;
    const float dx = (point.x - tree.crownCentre.x) / (tree.crownRadius + reach);
    const float dy = (point.y - tree.crownCentre.y) / (tree.crownHalfHeight + reach);
    const float dz = (point.z - tree.crownCentre.z) / (tree.crownRadius + reach);
    return dx * dx + dy * dy + dz * dz > 1.0f;
}

bool boulderClearsPoint(const Boulder& boulder, Vec3 point, float margin)
{
    const float dx = (point.x - boulder.centre.x) / (boulder.radii.x * 1.25f + margin);
    const float dy = (point.y - boulder.centre.y) / (boulder.radii.y * 1.25f + margin);
    const float dz = (point.z - boulder.centre.z) / (boulder.radii.z * 1.25f + margin);
    return dx * dx + dy * dy + dz * dz > 1.0f;
}

std::vector<Tree> placeTrees(const TerrainField& terrain, const TourSet& tours, uint64_t seed)
{
    Random random(streamSeed(seed, 51));
    const std::vector<Vec3> tourPoints = sampleTours(tours, kTourSamplesPerSegment);
    std::vector<Tree> trees;

    for (const Spot& spot : kStageSpots) {
        // Try the spot, then points spiralling out from it, until the tree keeps
        // clear of the tours and the water and lies wholly in the shadow map.
        for (int attempt = 0; attempt < 48; ++attempt) {
            const float r = 0.06f * static_cast<float>(attempt);
            const float a = 2.39996f * static_cast<float>(attempt);
            const float x = spot.x + random.range(-0.1f, 0.1f) + r * std::cos(a);
            const float z = spot.z + random.range(-0.1f, 0.1f) + r * std::sin(a);
            if (terrain.lakeDistance(x, z) < 1.45f || !clearOfTrees(x, z, trees, 0.55f)) {
                continue;
            }
            Tree tree = makeTree(terrain, x, z, random, false);
            if (shadowedByTheLight(tree) && clearOfTours(tree, tourPoints)) {
                trees.push_back(tree);
                break;
            }
        }
    }

    // A loose ring of trees on the hills around the stage.
    const TerrainField broad = terrain.broadShape();
    int placed = 0;
    for (int attempt = 0; attempt < 400 && placed < 26; ++attempt) {
        const float angle = random.range(0.0f, 2.0f * kPi);
        const float r = random.range(5.2f, 10.0f);
        const float x = TerrainField::kStageX + r * std::cos(angle);
        const float z = TerrainField::kStageZ + r * std::sin(angle);
        if (broad.normal(x, z).y < 0.88f || !clearOfTrees(x, z, trees, 0.9f)) {
            continue;
        }
        Tree tree = makeTree(terrain, x, z, random, true);
        if (clearOfTours(tree, tourPoints)) {
            trees.push_back(tree);
            ++placed;
        }
    }
    return trees;
}

std::vector<Boulder> placeBoulders(const TerrainField& terrain, const TourSet& tours, const std::vector<Tree>& trees,
                                   uint64_t seed)
{
    Random random(streamSeed(seed, 61));
    const std::vector<Vec3> tourPoints = sampleTours(tours, kTourSamplesPerSegment);
    std::vector<Boulder> boulders;
    auto tryPlace = [&](float x, float z, float size) {
        for (const Tree& t : trees) {
            if (horizontalDistance(t.base, Vec3{x, 0.0f, z}) < t.trunkRadius + size * 1.3f + 0.05f) {
                return false;
            }
        }
        for (const Boulder& b : boulders) {
            if (horizontalDistance(b.centre, Vec3{x, 0.0f, z}) < b.radii.x + size + 0.08f) {
                return false;
            }
        }
        Boulder boulder;
        boulder.radii = Vec3{size * random.range(0.9f, 1.3f), size * random.range(0.55f, 0.8f), size * random.range(0.8f, 1.1f)};
        boulder.centre = Vec3{x, terrain.height(x, z) + boulder.radii.y * 0.25f, z};
        boulder.id = random.next();
        for (const Vec3& p : tourPoints) {
            if (!boulderClearsPoint(boulder, p, kTourObstacleClearance + 0.04f)) {
                return false;
            }
        }
        boulders.push_back(boulder);
        return true;
    };

    // Along the shore, some half in the water.
    int shore = 0;
    for (int attempt = 0; attempt < 80 && shore < 6; ++attempt) {
        const float angle = random.range(0.0f, 2.0f * kPi);
        const float d = random.range(0.92f, 1.12f);
        const float x = LakeShape::centreX + d * LakeShape::radiusX * std::cos(angle);
        const float z = LakeShape::centreZ + d * LakeShape::radiusZ * std::sin(angle);
        shore += tryPlace(x, z, random.range(0.05f, 0.11f)) ? 1 : 0;
    }
    // Scattered over the meadow and among the trees.
    int field = 0;
    for (int attempt = 0; attempt < 200 && field < 9; ++attempt) {
        const float x = random.range(-3.2f, 3.2f);
        const float z = random.range(-2.3f, 5.2f);
        if (terrain.lakeDistance(x, z) < 1.25f) {
            continue;
        }
        field += tryPlace(x, z, random.range(0.04f, 0.14f)) ? 1 : 0;
    }
    return boulders;
}

std::vector<Boulder> placeOutcrops(const TerrainField& terrain, const TourSet& tours, const std::vector<Tree>& trees, uint64_t seed)
{
    Random random(streamSeed(seed, 62));
    const std::vector<Vec3> tourPoints = sampleTours(tours, kTourSamplesPerSegment);
    std::vector<Boulder> stones;
    auto fits = [&](const Boulder& stone) {
        const Vec3 foot{stone.centre.x, 0.0f, stone.centre.z};
        const float reach = std::max(stone.radii.x, stone.radii.z);
        return std::all_of(trees.begin(), trees.end(),
                           [&](const Tree& t) { return horizontalDistance(t.base, foot) >= t.trunkRadius + reach * 1.3f + 0.05f; }) &&
               std::all_of(stones.begin(), stones.end(),
                           [&](const Boulder& b) { return horizontalDistance(b.centre, foot) >= std::max(b.radii.x, b.radii.z) + reach; }) &&
               std::all_of(tourPoints.begin(), tourPoints.end(),
                           [&](const Vec3& p) { return boulderClearsPoint(stone, p, kTourObstacleClearance + 0.04f); });
    };
    constexpr int kOutcrops = 8;
    int outcrops = 0;
    for (int attempt = 0; attempt < 60 && outcrops < kOutcrops; ++attempt) {
        // Up the hills, and far enough out that no stone lies where the meadow
        // grows (its farthest corners are 6.5 from the stage's middle).
        const float angle = random.range(0.0f, 2.0f * kPi);
        const float r = random.range(7.3f, 10.5f);
        const float x = TerrainField::kStageX + r * std::cos(angle);
        const float z = TerrainField::kStageZ + r * std::sin(angle);
        const int count = 2 + random.below(3);
        int placed = 0;
        for (int s = 0; s < count; ++s) {
            const float size = random.range(0.2f, 0.42f) * (s == 0 ? 1.0f : 0.6f);
            Boulder stone;
            stone.radii = Vec3{size * random.range(0.9f, 1.3f), size * random.range(0.55f, 0.8f), size * random.range(0.8f, 1.1f)};
            const float sx = x + random.range(-0.45f, 0.45f);
            const float sz = z + random.range(-0.45f, 0.45f);
            // Sunk a little deeper than the boulders: the slopes fall away under them.
            stone.centre = Vec3{sx, terrain.height(sx, sz) + stone.radii.y * 0.05f, sz};
            stone.id = random.next();
            if (fits(stone)) {
                stones.push_back(stone);
                ++placed;
            }
        }
        outcrops += placed > 0 ? 1 : 0;
    }
    return stones;
}

} // namespace assets
