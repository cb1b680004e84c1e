#pragma once

#include "kxr_scene.h"

namespace assets {

// The part of a group at or above the water surface (y >= 0): triangles wholly
// under water are dropped, triangles crossing the surface are cut along it.
// Normals and materials stay; positions and texture coordinates of the cut
// corners are interpolated.
KxrGroup clipAboveWater(const KxrGroup& group);

} // namespace assets
