#pragma once

#include <string>
#include <vector>

#include "terrain_field.h"

// The three demo tours. Each is a closed loop of waypoints (eye and look-at
// point) that playback runs through at one segment per fixed time, moving in a
// straight line between consecutive waypoints and from the last back to the
// first.
namespace assets {

struct Waypoint {
    Vec3 eye;
    Vec3 target;
};

using CameraTour = std::vector<Waypoint>;

struct TourSet {
    CameraTour grassAndTrees;         // Scene/c1wp.wps
    CameraTour waterAndShadows;       // Scene/c2wp.wps
    CameraTour depthOfFieldAndSky;    // Scene/c3wp.wps
};

// How far the eye keeps above the ground (or the water, where the ground lies
// below it) along every segment of every tour.
constexpr float kTourGroundClearance = 0.08f;

TourSet designTours(const TerrainField& terrain);

// Lowest height of the eye above max(ground, water) along the closed loop,
// checking `samplesPerSegment` points per segment, ends included.
float lowestClearance(const CameraTour& tour, const TerrainField& terrain, int samplesPerSegment);

// Eye positions along the closed loop, as playback passes them.
std::vector<Vec3> sampleTour(const CameraTour& tour, int samplesPerSegment);
// The same along all three tours.
std::vector<Vec3> sampleTours(const TourSet& tours, int samplesPerSegment);
// Eye and target along all three tours, as playback passes them.
std::vector<Waypoint> sampleTourViews(const TourSet& tours, int samplesPerSegment);

// The .wps text: per waypoint the eye's three numbers on one line and the
// target's on the next, in printf's %g form.
std::string serializeWps(const CameraTour& tour);

} // namespace assets
