#pragma once

#include <cstdint>

// Our own generator and hash so the assets come out byte for byte the same on
// every standard library (the std distributions are not specified exactly).
namespace assets {

inline uint64_t mix64(uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Hash of a seed and up to three lattice coordinates.
inline uint64_t latticeHash(uint64_t seed, int32_t a, int32_t b = 0, int32_t c = 0)
{
    uint64_t h = mix64(seed + static_cast<uint64_t>(static_cast<uint32_t>(a)) * 0xD6E8FEB86659FD93ull);
    h = mix64(h + static_cast<uint64_t>(static_cast<uint32_t>(b)) * 0xA0761D6478BD642Full +
              static_cast<uint64_t>(static_cast<uint32_t>(c)) * 0xE7037ED1A0B428DBull);
    return h;
}

// A sub-seed per asset, so changing how one asset draws its numbers leaves the
// others as they were.
inline uint64_t streamSeed(uint64_t seed, uint64_t stream)
{
    return mix64(seed * 0x9E3779B97F4A7C15ull + mix64(stream + 1));
}

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next()
    {
        state_ += 0x9E3779B97F4A7C15ull;
        return mix64(state_);
    }

    // Uniform in [0, 1), 24 bits of resolution, exact in float.
    float uniform() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }

    float range(float low, float high) { return low + (high - low) * uniform(); }

    // Uniform integer in [0, count); count > 0.
    int below(int count) { return static_cast<int>(next() % static_cast<uint64_t>(count)); }

private:
    uint64_t state_;
};

// Uniform in [0, 1) from a hash value.
inline float hashToUnit(uint64_t h) { return static_cast<float>(h >> 40) * (1.0f / 16777216.0f); }

} // namespace assets
