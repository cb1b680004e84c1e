#pragma once

#include <cstdint>
#include <vector>

#include "ground_probe.h"

// Seeded random camera poses in and around the valley, of the kind free fly
// can reach: the eye anywhere over the scene and a margin beyond its edge,
// from 1 mm to 30 m above the ground (log-uniform, so eyes near the ground
// are as common as eyes high above it), any heading, and a pitch within
// free fly's limits (-1.4 to 1.0 radians from level).
struct SampledView {
    Vec3 eye;
    Vec3 target;  // one unit from the eye
};

struct SweepRange {
    float margin = 4.0f;  // beyond the scene's edge, in world units
    float lowest = 0.001f;
    float highest = 30.0f;
    float pitchDown = -1.4f;
    float pitchUp = 1.0f;
};

// The same seed gives the same views on every system. Beyond the scene's
// edge, where there is no ground, heights count from the water plane y = 0.
std::vector<SampledView> sampleViews(const GroundProbe& ground, int count, uint64_t seed, const SweepRange& range = {});
