#include "scene/surface_grid.h"

#include <algorithm>
#include <cmath>

namespace {

// About this many triangles share a cell when they are spread evenly.
constexpr float trianglesPerCell = 8.0f;
constexpr int maxCellsPerSide = 256;

float distanceToBox(Vec3 p, Vec3 lo, Vec3 hi)
{
    const Vec3 outside{std::fmax(std::fmax(lo.x - p.x, p.x - hi.x), 0.0f),
                       std::fmax(std::fmax(lo.y - p.y, p.y - hi.y), 0.0f),
                       std::fmax(std::fmax(lo.z - p.z, p.z - hi.z), 0.0f)};
    return length(outside);
}

} // namespace

SurfaceGrid::Corners SurfaceGrid::corners(TriangleRef ref) const
{
    const MeshGroup& group = (*groups_)[ref.group];
    const IndexTriple& i = group.triangles[ref.triangle].positionIndices;
    return {group.positions[static_cast<size_t>(i.a)], group.positions[static_cast<size_t>(i.b)],
            group.positions[static_cast<size_t>(i.c)]};
}

int SurfaceGrid::cellX(float x) const
{
    return std::clamp(static_cast<int>(std::floor((x - minX_) / cellSize_)), 0, columns_ - 1);
}

int SurfaceGrid::cellZ(float z) const
{
    return std::clamp(static_cast<int>(std::floor((z - minZ_) / cellSize_)), 0, rows_ - 1);
}

void SurfaceGrid::clear()
{
    groups_ = nullptr;
    columns_ = rows_ = 0;
    cellStart_ = {};
    refs_ = {};
}

void SurfaceGrid::build(const std::vector<MeshGroup>& groups)
{
    clear();
    groups_ = &groups;
    size_t count = 0;
    Vec3 lo, hi;
    for (const MeshGroup& group : groups)
        for (const Vec3& p : group.positions) {
            lo = count ? componentMin(lo, p) : p;
            hi = count ? componentMax(hi, p) : p;
            ++count;
        }
    size_t triangles = 0;
    for (const MeshGroup& group : groups)
        triangles += group.triangles.size();
    if (triangles == 0)
        return;
    const float width = std::fmax(hi.x - lo.x, 1e-3f), depth = std::fmax(hi.z - lo.z, 1e-3f);
    cellSize_ = std::sqrt(width * depth * trianglesPerCell / static_cast<float>(triangles));
    cellSize_ = std::fmax(cellSize_, std::fmax(width, depth) / maxCellsPerSide);
    minX_ = lo.x;
    minZ_ = lo.z;
    columns_ = std::clamp(static_cast<int>(std::ceil(width / cellSize_)), 1, maxCellsPerSide);
    rows_ = std::clamp(static_cast<int>(std::ceil(depth / cellSize_)), 1, maxCellsPerSide);

    // Two sweeps: count each cell's triangles, then place them.
    cellStart_.assign(static_cast<size_t>(columns_ * rows_) + 1, 0);
    auto forEachCell = [this](const Corners& t, auto visit) {
        const Vec3 tlo = componentMin(componentMin(t.a, t.b), t.c), thi = componentMax(componentMax(t.a, t.b), t.c);
        for (int z = cellZ(tlo.z); z <= cellZ(thi.z); ++z)
            for (int x = cellX(tlo.x); x <= cellX(thi.x); ++x)
                visit(static_cast<size_t>(z * columns_ + x));
    };
    for (uint32_t g = 0; g < groups.size(); ++g)
        for (uint32_t t = 0; t < groups[g].triangles.size(); ++t)
            forEachCell(corners({g, t}), [this](size_t cell) { ++cellStart_[cell + 1]; });
    for (size_t cell = 1; cell < cellStart_.size(); ++cell)
        cellStart_[cell] += cellStart_[cell - 1];
    refs_.resize(cellStart_.back());
    std::vector<uint32_t> filled(cellStart_.begin(), cellStart_.end() - 1);
    for (uint32_t g = 0; g < groups.size(); ++g)
        for (uint32_t t = 0; t < groups[g].triangles.size(); ++t)
            forEachCell(corners({g, t}), [&](size_t cell) { refs_[filled[cell]++] = {g, t}; });
}

bool SurfaceGrid::openAbove(Vec3 p, float clearance) const
{
    if (!groups_ || columns_ == 0 || p.x < minX_ || p.z < minZ_ || p.x > minX_ + columns_ * cellSize_
        || p.z > minZ_ + rows_ * cellSize_)
        return false;

    // Nothing near: the near plane cuts nothing of the surface away.
    for (int z = cellZ(p.z - clearance); z <= cellZ(p.z + clearance); ++z)
        for (int x = cellX(p.x - clearance); x <= cellX(p.x + clearance); ++x) {
            const size_t cell = static_cast<size_t>(z * columns_ + x);
            for (uint32_t r = cellStart_[cell]; r < cellStart_[cell + 1]; ++r) {
                const Corners t = corners(refs_[r]);
                const Vec3 lo = componentMin(componentMin(t.a, t.b), t.c), hi = componentMax(componentMax(t.a, t.b), t.c);
                if (distanceToBox(p, lo, hi) < clearance)
                    return false;
            }
        }

    // The first triangle straight below, and which way it faces: a triangle
    // wound counter-clockwise seen from above faces up, as GL's front faces do.
    const size_t cell = static_cast<size_t>(cellZ(p.z) * columns_ + cellX(p.x));
    bool found = false, facesUp = false;
    float highest = 0.0f;
    for (uint32_t r = cellStart_[cell]; r < cellStart_[cell + 1]; ++r) {
        const Corners t = corners(refs_[r]);
        // Barycentric weights of (p.x, p.z) in the triangle seen from above.
        const float ux = t.b.x - t.a.x, uz = t.b.z - t.a.z, vx = t.c.x - t.a.x, vz = t.c.z - t.a.z;
        const float area = ux * vz - uz * vx;
        if (area == 0.0f)
            continue;  // seen edge-on from above: no point of it lies straight below
        const float px = p.x - t.a.x, pz = p.z - t.a.z;
        const float wb = (px * vz - pz * vx) / area, wc = (ux * pz - uz * px) / area;
        if (wb < 0.0f || wc < 0.0f || wb + wc > 1.0f)
            continue;
        const float height = t.a.y + wb * (t.b.y - t.a.y) + wc * (t.c.y - t.a.y);
        if (height >= p.y || (found && height <= highest))
            continue;
        found = true;
        highest = height;
        // The cross product's y is minus the area above: x, z, y is left-handed.
        facesUp = area < 0.0f;
    }
    return found && facesUp;
}
