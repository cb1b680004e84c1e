#pragma once

#include <cstdint>
#include <vector>

#include "scene/mesh_group.h"

// Where a point stands against a mesh's surface, answered on the processor:
// the triangles binned over x and z, so that a question looks at the few
// triangles near the point rather than at all of them.
class SurfaceGrid {
public:
    // Bins every triangle of the groups; the groups' positions must outlive
    // the grid (the mesh keeps both).
    void build(const std::vector<MeshGroup>& groups);
    void clear();

    // True when the point is in the open above the surface: the first
    // triangle straight below it faces up, and no triangle comes within
    // `clearance` of it (judged by the triangles' boxes, so a triangle a
    // little further off may still count as near). False outside the grid.
    bool openAbove(Vec3 point, float clearance) const;

private:
    struct TriangleRef {
        uint32_t group;
        uint32_t triangle;
    };
    struct Corners {
        Vec3 a, b, c;
    };
    Corners corners(TriangleRef ref) const;
    int cellX(float x) const;
    int cellZ(float z) const;

    const std::vector<MeshGroup>* groups_ = nullptr;
    float minX_ = 0.0f, minZ_ = 0.0f, cellSize_ = 1.0f;
    int columns_ = 0, rows_ = 0;
    std::vector<uint32_t> cellStart_;  // rows_ * columns_ + 1 offsets into refs_
    std::vector<TriangleRef> refs_;
};
