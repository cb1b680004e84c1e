#pragma once

#include <vector>

#include "kxr_scene.h"

namespace assets {

// Splits a group into tiles x tiles groups by where each triangle's centre
// lies over the ground (x, z), within the group's own extent; empty tiles are
// left out. The demo skips a group whose box lies out of view, so a large group
// split this way costs vertex work only for the parts in sight.
std::vector<KxrGroup> splitIntoTiles(const KxrGroup& group, int tiles);

// Puts the first tile in the group's place and the others at the end, so the
// places of all groups before them stay as they were.
void tileGroupInPlace(std::vector<KxrGroup>& groups, size_t index, int tiles);

// Moves the triangles that lie wholly below the water plane y = 0 into a group
// of their own at the end: seen from above, the water hides them, and the
// demo leaves such a group out of the picture the water covers. False when
// the group has no such triangles (or nothing else), and nothing moved.
bool separateUnderWater(std::vector<KxrGroup>& groups, size_t index);

} // namespace assets
