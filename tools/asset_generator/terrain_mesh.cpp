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

// Where the sand around the lake gives way to grass, in lake distances.
constexpr float kShoreReach = 1.13f;

struct GroupFill {
    KxrGroup* group;
    int material;
    float tiling;
    std::vector<int> vertexOfGridPoint;  // -1 until the group uses that grid point
};

// Planar mapping; t runs towards -z so that s, t and the up normal make a
// right-handed basis.
int addSurfaceVertex(GroupBuilder& builder, Vec3 p, float tiling)
{
    const int index = builder.addPosition(p);
    builder.addTexCoord(Vec2{p.x * tiling, -p.z * tiling});
    return index;
}

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

TerrainGroups buildTerrain(const TerrainField& terrain, const TerrainMaterials& materials, float stageStep)
{
    const float sx = TerrainField::kStageX;
    const float sz = TerrainField::kStageZ;
    const float lakeX = LakeShape::radiusX * 1.3f;
    const float lakeZ = LakeShape::radiusZ * 1.3f;
    const std::vector<float> xs = terrainGridLines({sx - 14.0f, sx + 14.0f, sx - 3.6f, sx + 3.6f, LakeShape::centreX - lakeX,
                                                    LakeShape::centreX + lakeX, stageStep, 0.075f});
    const std::vector<float> zs = terrainGridLines({sz - 14.0f, sz + 14.0f, sz - 3.6f, sz + 3.6f, LakeShape::centreZ - lakeZ,
                                                    LakeShape::centreZ + lakeZ, stageStep, 0.075f});
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

    // Grass or rock: bare rock on the hilltops and the steepest slopes, in
    // broad patches rather than single triangles.
    auto classifyLand = [&](Vec3 a, Vec3 b, Vec3 c) {
        const Vec3 centroid = (a + b + c) * (1.0f / 3.0f);
        const float steepness = 1.0f - faceNormal(a, b, c).y;
        const float patches = fbm(terrain.seed() + 9, centroid.x * 0.35f, centroid.z * 0.35f, 3);
        const bool hilltop = centroid.y > 2.05f + 0.5f * patches;
        return hilltop || steepness > 0.3f ? Rock : Grass;
    };
    // Negative on the sand, positive beyond it. Triangles that straddle the
    // line where it is zero are cut along it, so the sand ends in a smooth
    // curve instead of the saw-teeth of whole triangles.
    auto shoreField = [&](Vec3 p) { return terrain.lakeDistance(p.x, p.z) - kShoreReach; };

    auto addGridVertex = [&](GroupFill& fill, GroupBuilder& builder, std::pair<int, int> corner) {
        int& v = fill.vertexOfGridPoint[gridIndex(corner.first, corner.second)];
        if (v < 0) {
            v = addSurfaceVertex(builder, point(corner.first, corner.second), fill.tiling);
        }
        return v;
    };

    auto emitWhole = [&](Surface surface, const std::array<std::pair<int, int>, 3>& corners) {
        GroupFill& fill = fills[surface];
        GroupBuilder builder(*fill.group, fill.material);
        std::array<int, 3> indices{};
        for (size_t k = 0; k < 3; ++k) {
            indices[k] = addGridVertex(fill, builder, corners[k]);
        }
        builder.addTriangle(indices, indices);
    };

    // One side of a cut triangle as a fan: grid corners keep their shared
    // vertices, points on the cut are new.
    struct CutPoint {
        std::pair<int, int> corner;  // the grid corner, or (-1, -1) on the cut
        Vec3 position;
    };
    auto emitPiece = [&](Surface surface, const std::vector<CutPoint>& piece) {
        GroupFill& fill = fills[surface];
        GroupBuilder builder(*fill.group, fill.material);
        std::vector<int> indices;
        for (const CutPoint& p : piece) {
            indices.push_back(p.corner.first >= 0 ? addGridVertex(fill, builder, p.corner)
                                                  : addSurfaceVertex(builder, p.position, fill.tiling));
        }
        for (size_t k = 1; k + 1 < indices.size(); ++k) {
            const std::array<int, 3> triangle{indices[0], indices[k], indices[k + 1]};
            builder.addTriangle(triangle, triangle);
        }
    };

    auto emit = [&](std::array<std::pair<int, int>, 3> corners) {
        std::array<Vec3, 3> p{};
        std::array<float, 3> f{};
        for (size_t k = 0; k < 3; ++k) {
            p[k] = point(corners[k].first, corners[k].second);
            f[k] = shoreField(p[k]);
        }
        if (p[0].y == TerrainField::kBedLevel && p[1].y == TerrainField::kBedLevel && p[2].y == TerrainField::kBedLevel) {
            emitWhole(LakeBed, corners);
            return;
        }
        const Surface land = classifyLand(p[0], p[1], p[2]);
        const bool allSand = f[0] < 0.0f && f[1] < 0.0f && f[2] < 0.0f;
        const bool noSand = f[0] >= 0.0f && f[1] >= 0.0f && f[2] >= 0.0f;
        if (allSand || noSand) {
            emitWhole(allSand ? Shore : land, corners);
            return;
        }
        std::vector<CutPoint> sand;
        std::vector<CutPoint> rest;
        for (size_t k = 0; k < 3; ++k) {
            const size_t n = (k + 1) % 3;
            (f[k] < 0.0f ? sand : rest).push_back({corners[k], p[k]});
            if ((f[k] < 0.0f) != (f[n] < 0.0f)) {
                // The same point from both triangles that share the edge:
                // interpolate from the corner that comes first in the grid.
                const bool forward = gridIndex(corners[k].first, corners[k].second) < gridIndex(corners[n].first, corners[n].second);
                const size_t from = forward ? k : n;
                const size_t to = forward ? n : k;
                const float t = f[from] / (f[from] - f[to]);
                const CutPoint cut{{-1, -1}, lerp(p[from], p[to], t)};
                sand.push_back(cut);
                rest.push_back(cut);
            }
        }
        emitPiece(Shore, sand);
        emitPiece(land, rest);
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
