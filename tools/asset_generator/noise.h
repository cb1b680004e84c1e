#pragma once

#include <cstdint>

// Gradient and cellular noise on an integer lattice. A period > 0 wraps the
// lattice, which makes the noise tile with that period: textures sample it at
// s * period so that the picture repeats seamlessly.
namespace assets {

// Roughly in [-1, 1].
float gradientNoise(uint64_t seed, float x, float y, int periodX = 0, int periodY = 0);

// Sum of `octaves` gradient-noise layers, each at twice the frequency and
// `gain` times the amplitude of the previous one, normalised to about [-1, 1].
// With periods > 0 every layer tiles over periodX units of x and periodY of y.
float fbm(uint64_t seed, float x, float y, int octaves, int periodX = 0, int periodY = 0, float gain = 0.5f);

// 1 - |noise| squared and summed like fbm: sharp creases, for cracks and
// furrows. In [0, 1].
float ridgedFbm(uint64_t seed, float x, float y, int octaves, int periodX = 0, int periodY = 0, float gain = 0.5f);

// Distances from (x, y) to the nearest and second-nearest feature point, one
// feature point per lattice cell, wrapping with `period` when > 0.
struct CellDistances {
    float nearest = 0.0f;
    float second = 0.0f;
    uint64_t nearestId = 0;
};
CellDistances cellNoise(uint64_t seed, float x, float y, int period = 0);

} // namespace assets
