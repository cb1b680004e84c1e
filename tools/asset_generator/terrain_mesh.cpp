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
    std::vector<int> vertexOfMeshPoint;  // -1 until the group uses that point of the ground mesh
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

TerrainGroups buildTerrain(const TerrainField& terrain, const TerrainMaterials& materials, const GroundMeshSpacing& spacing)
{
    const GroundMesh mesh = buildGroundMesh(terrain, spacing);

    TerrainGroups out;
    GroupFill fills[SurfaceCount] = {
        {&out.grass, materials.grass, kGrassTiling, {}},
        {&out.shore, materials.sand, kSandTiling, {}},
        {&out.rock, materials.rock, kRockTiling, {}},
        {&out.lakeBed, materials.lakeBed, kLakeBedTiling, {}},
    };
    for (GroupFill& f : fills) {
        f.vertexOfMeshPoint.assign(mesh.points.size(), -1);
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

    auto addMeshVertex = [&](GroupFill& fill, GroupBuilder& builder, int point) {
        int& v = fill.vertexOfMeshPoint[static_cast<size_t>(point)];
        if (v < 0) {
            v = addSurfaceVertex(builder, mesh.points[static_cast<size_t>(point)], fill.tiling);
        }
        return v;
    };
    // The demo lights each triangle with one normal. The faces' own normals
    // jump from face to face, and the sharp highlight turns every jump into a
    // step of brightness (on long faces, streaks down the hills); the ground's
    // own normal at each face's middle, smoothed over the face's width, changes
    // only as much as the ground does. A face far off it (a crease the mesh
    // cuts across) keeps its own, so the normal never points away from its front.
    auto addLitTriangle = [&](GroupBuilder& builder, const std::array<int, 3>& t) {
        const std::vector<Vec3>& p = builder.group().positions;
        const Vec3 a = p[static_cast<size_t>(t[0])];
        const Vec3 b = p[static_cast<size_t>(t[1])];
        const Vec3 c = p[static_cast<size_t>(t[2])];
        const Vec3 middle = (a + b + c) * (1.0f / 3.0f);
        const float size = std::max({horizontalDistance(a, b), horizontalDistance(b, c), horizontalDistance(c, a)});
        const Vec3 ground = terrain.normalOver(middle.x, middle.z, std::max(0.02f, 0.5f * size));
        const Vec3 face = faceNormal(a, b, c);
        builder.addTriangle(t, t, dot(ground, face) > 0.5f ? ground : face);
    };

    auto emitWhole = [&](Surface surface, const std::array<int, 3>& corners) {
        GroupFill& fill = fills[surface];
        GroupBuilder builder(*fill.group, fill.material);
        std::array<int, 3> indices{};
        for (size_t k = 0; k < 3; ++k) {
            indices[k] = addMeshVertex(fill, builder, corners[k]);
        }
        addLitTriangle(builder, indices);
    };

    // One side of a cut triangle as a fan: mesh corners keep their shared
    // vertices, points on the cut are new.
    struct CutPoint {
        int corner;  // the point of the ground mesh, or -1 on the cut
        Vec3 position;
    };
    auto emitPiece = [&](Surface surface, const std::vector<CutPoint>& piece) {
        GroupFill& fill = fills[surface];
        GroupBuilder builder(*fill.group, fill.material);
        std::vector<int> indices;
        for (const CutPoint& p : piece) {
            indices.push_back(p.corner >= 0 ? addMeshVertex(fill, builder, p.corner)
                                            : addSurfaceVertex(builder, p.position, fill.tiling));
        }
        for (size_t k = 1; k + 1 < indices.size(); ++k) {
            const std::array<int, 3> triangle{indices[0], indices[k], indices[k + 1]};
            addLitTriangle(builder, triangle);
        }
    };

    auto emit = [&](const std::array<int, 3>& corners) {
        std::array<Vec3, 3> p{};
        std::array<float, 3> f{};
        for (size_t k = 0; k < 3; ++k) {
            p[k] = mesh.points[static_cast<size_t>(corners[k])];
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
                // interpolate from the corner that comes first in the mesh.
                const bool forward = corners[k] < corners[n];
                const size_t from = forward ? k : n;
                const size_t to = forward ? n : k;
                const float t = f[from] / (f[from] - f[to]);
                const CutPoint cut{-1, lerp(p[from], p[to], t)};
                sand.push_back(cut);
                rest.push_back(cut);
            }
        }
        emitPiece(Shore, sand);
        emitPiece(land, rest);
    };

    for (const std::array<int, 3>& triangle : mesh.triangles) {
        emit(triangle);
    }
    return out;
}

} // namespace assets
