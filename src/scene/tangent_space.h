#pragma once

#include <vector>

#include "camera/vec3.h"
#include "scene/mesh_group.h"

// The group that is drawn as the flat water surface: its triangles get a fixed
// upward basis and it samples the water normal map.
constexpr size_t WaterGroupIndex = 4;

struct TangentBasis {
    Vec3 tangent;
    Vec3 binormal;
};

// Unit tangent and binormal of a triangle from its corner positions and (s, t)
// texture coordinates (r is ignored), made orthogonal to the normal n, which is
// used as given (not normalised). When the texture mapping degenerates (zero
// texture area, a tangent or binormal that vanishes or overflows) the result
// is a unit basis perpendicular to the normal instead, with binormal = n × tangent;
// so the result is always finite.
TangentBasis triangleTangentBasis(const Vec3 (&positions)[3], const Vec3 (&texCoords)[3], Vec3 normal);

// Fills every triangle's tangent and binormal; the water group's triangles get
// tangent (1, 0, 0), binormal (0, 0, 1) and normal (0, 1, 0). Indices must be
// in range, as the scene reader guarantees.
void computeTangents(std::vector<MeshGroup>& groups);
