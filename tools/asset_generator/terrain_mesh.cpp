#include "terrain_mesh.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace assets {
namespace {

// Texture repeats per world unit.
constexpr float kGrassTiling = 1.7f;
constexpr float kSandTiling = 2.2f;
constexpr float kRockTiling = 1.1f;
constexpr float kLakeBedTiling = 1.6f;

enum Surface { Grass, Shore, Rock, LakeBed, SurfaceCount };

struct GroupFill {
    KxrGroup* group;
    int material;
    float tiling;
    std::vector<int> vertexOfGridPoint;  // -1 until the group uses that grid point
};

} // namespace

std::vector<float> terrainGridLines(const GridSpacing& spacing)
{
    auto step = [&](float v) {
        if (v >= spacing.shoreLow && v <= spacing.shoreHigh) {
            return spacing.shoreStep;
        }
        const float outside = std::max(spacing.stageLow - v, v - spacing.stageHigh);
        return outside <= 0.0f ? spacing.stageStep : spacing.stageStep + 0.22f * outside;
    };
    // March outwards from the lake band in both directions, so the fine lines
    // line up with it.
    std::vector<float> below;
    for (float v = spacing.shoreLow; v > spacing.low;) {
        v -= step(v - 1e-4f);
        below.push_back(std::max(v, spacing.low));
    }
    std::vector<float> lines(below.rbegin(), below.rend());
    for (float v = spacing.shoreLow;;) {
        lines.push_back(v);
        if (v >= spacing.high) {
            break;
        }
        v = std::min(v + step(v + 1e-4f), spacing.high);
    }
    // The clamped outermost cells may come out as slivers: merge them into
    // their neighbours.
    if (lines.size() >= 3 && lines[1] - lines[0] < 0.5f * (lines[2] - lines[1])) {
        lines.erase(lines.begin() + 1);
    }
    const size_t n = lines.size();
    if (n >= 3 && lines[n - 1] - lines[n - 2] < 0.5f * (lines[n - 2] - lines[n - 3])) {
        lines.erase(lines.begin() + static_cast<long>(n) - 2);
    }
    return lines;
}

TerrainGroups buildTerrain(const TerrainField& terrain, const TerrainMaterials& materials)
{
    const float sx = TerrainField::kStageX;
    const float sz = TerrainField::kStageZ;
    const float lakeX = LakeShape::radiusX * 1.3f;
    const float lakeZ = LakeShape::radiusZ * 1.3f;
    const std::vector<float> xs = terrainGridLines({sx - 14.0f, sx + 14.0f, sx - 3.6f, sx + 3.6f, LakeShape::centreX - lakeX,
                                                    LakeShape::centreX + lakeX, 0.12f, 0.075f});
    const std::vector<float> zs = terrainGridLines({sz - 14.0f, sz + 14.0f, sz - 3.6f, sz + 3.6f, LakeShape::centreZ - lakeZ,
                                                    LakeShape::centreZ + lakeZ, 0.12f, 0.075f});
    const int nx = static_cast<int>(xs.size());
    const int nz = static_cast<int>(zs.size());

    std::vector<float> heights(static_cast<size_t>(nx) * static_cast<size_t>(nz));
    auto gridIndex = [&](int i, int j) { return static_cast<size_t>(j) * static_cast<size_t>(nx) + static_cast<size_t>(i); };
    for (int j = 0; j < nz; ++j) {
        for (int i = 0; i < nx; ++i) {
            heights[gridIndex(i, j)] = terrain.height(xs[static_cast<size_t>(i)], zs[static_cast<size_t>(j)]);
        }
    }
    auto point = [&](int i, int j) { return Vec3{xs[static_cast<size_t>(i)], heights[gridIndex(i, j)], zs[static_cast<size_t>(j)]}; };

    TerrainGroups out;
    GroupFill fills[SurfaceCount] = {
        {&out.grass, materials.grass, kGrassTiling, {}},
        {&out.shore, materials.sand, kSandTiling, {}},
        {&out.rock, materials.rock, kRockTiling, {}},
        {&out.lakeBed, materials.lakeBed, kLakeBedTiling, {}},
    };
    for (GroupFill& f : fills) {
        f.vertexOfGridPoint.assign(heights.size(), -1);
    }

    auto classify = [&](Vec3 a, Vec3 b, Vec3 c) {
        if (a.y == TerrainField::kBedLevel && b.y == TerrainField::kBedLevel && c.y == TerrainField::kBedLevel) {
            return LakeBed;
        }
        const Vec3 centroid = (a + b + c) * (1.0f / 3.0f);
        if (terrain.lakeDistance(centroid.x, centroid.z) < 1.13f) {
            return Shore;
        }
        // Bare rock on the hilltops and the steepest slopes, in broad patches
        // rather than single triangles.
        const float steepness = 1.0f - faceNormal(a, b, c).y;
        const float patches = fbm(terrain.seed() + 9, centroid.x * 0.35f, centroid.z * 0.35f, 3);
        const bool hilltop = centroid.y > 2.05f + 0.5f * patches;
        return hilltop || steepness > 0.3f ? Rock : Grass;
    };

    auto emit = [&](std::array<std::pair<int, int>, 3> corners) {
        const Vec3 a = point(corners[0].first, corners[0].second);
        const Vec3 b = point(corners[1].first, corners[1].second);
        const Vec3 c = point(corners[2].first, corners[2].second);
        GroupFill& fill = fills[classify(a, b, c)];
        GroupBuilder builder(*fill.group, fill.material);
        std::array<int, 3> indices{};
        for (size_t k = 0; k < 3; ++k) {
            const size_t g = gridIndex(corners[k].first, corners[k].second);
            int& v = fill.vertexOfGridPoint[g];
            if (v < 0) {
                const Vec3 p = point(corners[k].first, corners[k].second);
                v = builder.addPosition(p);
                // Planar mapping; t runs towards -z so that s, t and the up
                // normal make a right-handed basis.
                builder.addTexCoord(Vec2{p.x * fill.tiling, -p.z * fill.tiling});
            }
            indices[k] = v;
        }
        builder.addTriangle(indices, indices);
    };

    for (int j = 0; j + 1 < nz; ++j) {
        for (int i = 0; i + 1 < nx; ++i) {
            const float h00 = heights[gridIndex(i, j)];
            const float h10 = heights[gridIndex(i + 1, j)];
            const float h01 = heights[gridIndex(i, j + 1)];
            const float h11 = heights[gridIndex(i + 1, j + 1)];
            // Split along the diagonal that follows the ground better.
            // Both splits are counter-clockwise seen from above.
            if (std::fabs(h00 - h11) <= std::fabs(h10 - h01)) {
                emit({{{i, j}, {i, j + 1}, {i + 1, j + 1}}});
                emit({{{i, j}, {i + 1, j + 1}, {i + 1, j}}});
            } else {
                emit({{{i, j}, {i, j + 1}, {i + 1, j}}});
                emit({{{i + 1, j}, {i, j + 1}, {i + 1, j + 1}}});
            }
        }
    }
    return out;
}

} // namespace assets
