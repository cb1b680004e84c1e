#pragma once

#include <vector>

#include "kxr_scene.h"

namespace assets {

// Moves the triangles that lie wholly below the water plane y = 0 into a group
// of their own at the end: seen from above, the water hides them, and the
// demo leaves such a group out of the lit picture. False when the group has
// no such triangles (or nothing else), and nothing moved.
bool separateUnderWater(std::vector<KxrGroup>& groups, size_t index);

} // namespace assets
