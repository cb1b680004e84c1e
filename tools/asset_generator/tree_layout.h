#pragma once

#include <cstdint>
#include <vector>

#include "camera_tours.h"
#include "terrain_field.h"

// Where the trees and boulders stand. Stage trees stand at hand-picked spots
// around the lake and the meadow (nudged by the seed), background trees on the
// hills; every one keeps clear of the camera tours.
namespace assets {

struct Tree {
    Vec3 base;             // on the ground
    float height = 1.0f;   // trunk top above the base
    float trunkRadius = 0.04f;
    Vec3 crownCentre;
    float crownRadius = 0.35f;      // horizontal semi-axis of the crown
    float crownHalfHeight = 0.4f;   // vertical semi-axis
    float leafSize = 0.26f;         // edge of one leaf card
    int species = 0;                // 0 or 1: which leaf texture
    bool background = false;
    uint64_t id = 0;
};

struct Boulder {
    Vec3 centre;   // sunk partly into the ground
    Vec3 radii;
    uint64_t id = 0;
};

// Whether a point lies inside the box the fixed light's shadow map covers
// (orthographic, -3 to 3 across, looking from (-0.78, 3.8, 3.8) at (0, 0, 1.6)),
// with `margin` to spare.
bool insideShadowMap(Vec3 point, float margin);

// How finely the layout follows the tours: eye positions per segment.
constexpr int kTourSamplesPerSegment = 24;

// Room the eye keeps from trunks, leaves and boulders.
constexpr float kTourObstacleClearance = 0.06f;

// True when the point keeps `margin` from the tree's trunk and leaf crown
// (the crown taken as its ellipsoid grown by half a leaf card).
bool treeClearsPoint(const Tree& tree, Vec3 point, float margin);
bool boulderClearsPoint(const Boulder& boulder, Vec3 point, float margin);

std::vector<Tree> placeTrees(const TerrainField& terrain, const TourSet& tours, uint64_t seed);
std::vector<Boulder> placeBoulders(const TerrainField& terrain, const TourSet& tours, const std::vector<Tree>& trees,
                                   uint64_t seed);

// A few clusters of stones on the hillsides, clear of the tours and trees.
std::vector<Boulder> placeOutcrops(const TerrainField& terrain, const TourSet& tours, const std::vector<Tree>& trees, uint64_t seed);

} // namespace assets
