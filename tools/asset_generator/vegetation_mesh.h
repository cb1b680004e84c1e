#pragma once

#include <vector>

#include "kxr_scene.h"
#include "terrain_field.h"
#include "tree_layout.h"

// Tree trunks with their branches, leaf crowns, boulders and the grass meadow.
namespace assets {

void addTrunks(KxrGroup& group, int material, const std::vector<Tree>& trees);

// Leaf cards of the trees of one species. Cards that the tours (`tourViews`)
// see from close by are turned where needed so that none is seen edge-on.
void addLeafCrowns(KxrGroup& group, int material, const std::vector<Tree>& trees, int species,
                   const std::vector<Waypoint>& tourViews);

void addBoulders(KxrGroup& group, int material, const std::vector<Boulder>& boulders, uint64_t seed);

// Small crossed cards standing on the ground, denser on the near-side meadow,
// none in or at the edge of the water. Plain grass goes to `grass`, grass with
// flowers to `flowers`.
void addMeadow(KxrGroup& grass, int grassMaterial, KxrGroup& flowers, int flowerMaterial, const TerrainField& terrain,
               const std::vector<Tree>& trees, const std::vector<Boulder>& boulders, uint64_t seed);

} // namespace assets
