#include "ground_mesh.h"

#include <algorithm>
#include <cmath>

namespace assets {
namespace {

// A ring's side from one corner to the next, with each point's share of the
// way along it (0 at the first corner, 1 at the last).
struct Side {
    std::vector<int> points;
    std::vector<float> along;
};

// Four sides going round counter-clockwise seen from above, starting at the
// corner of least x and z; each side's last point is the next side's first.
using Ring = std::array<Side, 4>;

float shareAlong(Vec3 from, Vec3 to, Vec3 p)
{
    const float total = horizontalDistance(from, to);
    return total > 0.0f ? horizontalDistance(from, p) / total : 0.0f;
}

void addTriangleUpwards(GroundMesh& mesh, std::array<int, 3> t)
{
    const Vec3 a = mesh.points[static_cast<size_t>(t[0])];
    const Vec3 b = mesh.points[static_cast<size_t>(t[1])];
    const Vec3 c = mesh.points[static_cast<size_t>(t[2])];
    if (cross(b - a, c - a).y < 0.0f) {
        std::swap(t[1], t[2]);
    }
    mesh.triangles.push_back(t);
}

// Joins two sides lying one inside the other into a strip of triangles,
// taking next whichever point comes first in its share of the way along.
void stitch(GroundMesh& mesh, const Side& inner, const Side& outer)
{
    size_t i = 0;
    size_t j = 0;
    const size_t lastInner = inner.points.size() - 1;
    const size_t lastOuter = outer.points.size() - 1;
    while (i < lastInner || j < lastOuter) {
        const bool innerNext = j == lastOuter || (i < lastInner && inner.along[i + 1] <= outer.along[j + 1]);
        if (innerNext) {
            addTriangleUpwards(mesh, {inner.points[i], inner.points[i + 1], outer.points[j]});
            ++i;
        } else {
            addTriangleUpwards(mesh, {inner.points[i], outer.points[j + 1], outer.points[j]});
            ++j;
        }
    }
}

// Distances of the rings from the stage's edge: each step grows with the
// distance already covered, and the last ring lies on the ground's edge.
std::vector<float> ringOffsets(float firstStep, float growth, float reach)
{
    std::vector<float> offsets{0.0f};
    float d = 0.0f;
    float step = firstStep;
    while (d < reach) {
        step = firstStep + growth * d;
        d += step;
        offsets.push_back(d);
    }
    // End on the edge with whichever ring count stretches the steps least.
    if (offsets.size() > 2 && d - reach > 0.5f * step) {
        offsets.pop_back();
    }
    const float scale = reach / offsets.back();
    for (float& o : offsets) {
        o *= scale;
    }
    return offsets;
}

} // namespace

std::vector<float> terrainGridLines(const GridSpacing& spacing)
{
    auto step = [&](float v) { return v >= spacing.shoreLow && v <= spacing.shoreHigh ? spacing.shoreStep : spacing.stageStep; };
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

GroundMesh buildGroundMesh(const TerrainField& terrain, const GroundMeshSpacing& spacing)
{
    const float sx = TerrainField::kStageX;
    const float sz = TerrainField::kStageZ;
    const float lakeX = LakeShape::radiusX * 1.3f;
    const float lakeZ = LakeShape::radiusZ * 1.3f;
    const std::vector<float> xs = terrainGridLines({sx - kStageHalfSize, sx + kStageHalfSize, LakeShape::centreX - lakeX,
                                                    LakeShape::centreX + lakeX, spacing.stageStep, spacing.shoreStep});
    const std::vector<float> zs = terrainGridLines({sz - kStageHalfSize, sz + kStageHalfSize, LakeShape::centreZ - lakeZ,
                                                    LakeShape::centreZ + lakeZ, spacing.stageStep, spacing.shoreStep});
    const int nx = static_cast<int>(xs.size());
    const int nz = static_cast<int>(zs.size());

    GroundMesh mesh;
    auto addPoint = [&](float x, float z) {
        mesh.points.push_back(Vec3{x, terrain.height(x, z), z});
        return static_cast<int>(mesh.points.size()) - 1;
    };
    for (int j = 0; j < nz; ++j) {
        for (int i = 0; i < nx; ++i) {
            addPoint(xs[static_cast<size_t>(i)], zs[static_cast<size_t>(j)]);
        }
    }
    auto gridPoint = [&](int i, int j) { return j * nx + i; };
    for (int j = 0; j + 1 < nz; ++j) {
        for (int i = 0; i + 1 < nx; ++i) {
            const float h00 = mesh.points[static_cast<size_t>(gridPoint(i, j))].y;
            const float h10 = mesh.points[static_cast<size_t>(gridPoint(i + 1, j))].y;
            const float h01 = mesh.points[static_cast<size_t>(gridPoint(i, j + 1))].y;
            const float h11 = mesh.points[static_cast<size_t>(gridPoint(i + 1, j + 1))].y;
            // Split along the diagonal that follows the ground better.
            if (std::fabs(h00 - h11) <= std::fabs(h10 - h01)) {
                mesh.triangles.push_back({gridPoint(i, j), gridPoint(i, j + 1), gridPoint(i + 1, j + 1)});
                mesh.triangles.push_back({gridPoint(i, j), gridPoint(i + 1, j + 1), gridPoint(i + 1, j)});
            } else {
                mesh.triangles.push_back({gridPoint(i, j), gridPoint(i, j + 1), gridPoint(i + 1, j)});
                mesh.triangles.push_back({gridPoint(i + 1, j), gridPoint(i, j + 1), gridPoint(i + 1, j + 1)});
            }
        }
    }

    // The stage's border as the innermost ring.
    Ring inner;
    auto addToSide = [&](Side& side, int point) { side.points.push_back(point); };
    for (int i = 0; i < nx; ++i) {
        addToSide(inner[0], gridPoint(i, 0));
        addToSide(inner[2], gridPoint(nx - 1 - i, nz - 1));
    }
    for (int j = 0; j < nz; ++j) {
        addToSide(inner[1], gridPoint(nx - 1, j));
        addToSide(inner[3], gridPoint(0, nz - 1 - j));
    }
    for (Side& side : inner) {
        const Vec3 from = mesh.points[static_cast<size_t>(side.points.front())];
        const Vec3 to = mesh.points[static_cast<size_t>(side.points.back())];
        for (int p : side.points) {
            side.along.push_back(shareAlong(from, to, mesh.points[static_cast<size_t>(p)]));
        }
    }

    const std::vector<float> offsets = ringOffsets(spacing.stageStep, spacing.ringGrowth, kGroundHalfSize - kStageHalfSize);
    for (size_t k = 1; k < offsets.size(); ++k) {
        const float half = kStageHalfSize + offsets[k];
        const float step = spacing.stageStep + spacing.ringGrowth * offsets[k];
        const int segments = std::max(1, static_cast<int>(std::lround(2.0f * half / step)));
        const std::array<Vec3, 4> corners = {Vec3{sx - half, 0.0f, sz - half}, Vec3{sx + half, 0.0f, sz - half},
                                             Vec3{sx + half, 0.0f, sz + half}, Vec3{sx - half, 0.0f, sz + half}};
        std::array<int, 4> cornerPoints{};
        for (size_t c = 0; c < 4; ++c) {
            cornerPoints[c] = addPoint(corners[c].x, corners[c].z);
        }
        Ring outer;
        for (size_t s = 0; s < 4; ++s) {
            const Vec3 from = corners[s];
            const Vec3 to = corners[(s + 1) % 4];
            Side& side = outer[s];
            for (int n = 0; n <= segments; ++n) {
                const float f = static_cast<float>(n) / static_cast<float>(segments);
                const Vec3 p = lerp(from, to, f);
                side.points.push_back(n == 0 ? cornerPoints[s] : n == segments ? cornerPoints[(s + 1) % 4] : addPoint(p.x, p.z));
                side.along.push_back(f);
            }
            stitch(mesh, inner[s], side);
        }
        inner = std::move(outer);
    }
    return mesh;
}

} // namespace assets
