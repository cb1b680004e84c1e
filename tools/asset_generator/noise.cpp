#include "noise.h"

#include <cmath>

#include "random.h"

namespace assets {
namespace {

// Sixteen unit gradients, 22.5 degrees apart; a table keeps the result free of
// library trigonometry.
constexpr float kGradients[16][2] = {
    {1.0f, 0.0f},          {0.92387953f, 0.38268343f},  {0.70710678f, 0.70710678f},
    {0.38268343f, 0.92387953f},  {0.0f, 1.0f},          {-0.38268343f, 0.92387953f},
    {-0.70710678f, 0.70710678f}, {-0.92387953f, 0.38268343f}, {-1.0f, 0.0f},
    {-0.92387953f, -0.38268343f}, {-0.70710678f, -0.70710678f}, {-0.38268343f, -0.92387953f},
    {0.0f, -1.0f},         {0.38268343f, -0.92387953f}, {0.70710678f, -0.70710678f},
    {0.92387953f, -0.38268343f},
};

int wrap(int i, int period)
{
    if (period <= 0) {
        return i;
    }
    const int m = i % period;
    return m < 0 ? m + period : m;
}

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float cornerDot(uint64_t seed, int ix, int iy, float dx, float dy)
{
    const float* g = kGradients[latticeHash(seed, ix, iy) & 15u];
    return g[0] * dx + g[1] * dy;
}

// Lattice cells stay within what an int holds for every coordinate the
// generator uses; the clamp only guards the conversion.
int cellOf(float v) { return static_cast<int>(std::floor(std::fmax(-1.0e8f, std::fmin(1.0e8f, v)))); }

} // namespace

float gradientNoise(uint64_t seed, float x, float y, int periodX, int periodY)
{
    const int x0 = cellOf(x);
    const int y0 = cellOf(y);
    const float fx = x - static_cast<float>(x0);
    const float fy = y - static_cast<float>(y0);
    const int ax = wrap(x0, periodX);
    const int ay = wrap(y0, periodY);
    const int bx = wrap(x0 + 1, periodX);
    const int by = wrap(y0 + 1, periodY);
    const float n00 = cornerDot(seed, ax, ay, fx, fy);
    const float n10 = cornerDot(seed, bx, ay, fx - 1.0f, fy);
    const float n01 = cornerDot(seed, ax, by, fx, fy - 1.0f);
    const float n11 = cornerDot(seed, bx, by, fx - 1.0f, fy - 1.0f);
    const float u = fade(fx);
    const float v = fade(fy);
    const float a = n00 + (n10 - n00) * u;
    const float b = n01 + (n11 - n01) * u;
    return (a + (b - a) * v) * 1.4142135f;
}

namespace {

// Layers of `layer(seed, x, y, periodX, periodY)`, each at twice the frequency
// and `gain` times the amplitude of the one before, normalised.
template <typename Layer>
float sumOctaves(uint64_t seed, float x, float y, int octaves, int periodX, int periodY, float gain, uint64_t seedStep, Layer layer)
{
    float sum = 0.0f;
    float norm = 0.0f;
    float amplitude = 1.0f;
    float frequency = 1.0f;
    int px = periodX;
    int py = periodY;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * layer(seed + static_cast<uint64_t>(i) * seedStep, x * frequency, y * frequency, px, py);
        norm += amplitude;
        amplitude *= gain;
        frequency *= 2.0f;
        px *= 2;
        py *= 2;
    }
    return sum / norm;
}

} // namespace

float fbm(uint64_t seed, float x, float y, int octaves, int periodX, int periodY, float gain)
{
    return sumOctaves(seed, x, y, octaves, periodX, periodY, gain, 7919u, gradientNoise);
}

float ridgedFbm(uint64_t seed, float x, float y, int octaves, int periodX, int periodY, float gain)
{
    return sumOctaves(seed, x, y, octaves, periodX, periodY, gain, 104729u, [](uint64_t s, float fx, float fy, int px, int py) {
        const float r = 1.0f - std::fabs(gradientNoise(s, fx, fy, px, py));
        return r * r;
    });
}

CellDistances cellNoise(uint64_t seed, float x, float y, int period)
{
    const int cx = cellOf(x);
    const int cy = cellOf(y);
    CellDistances result{1.0e9f, 1.0e9f, 0};
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int gx = cx + i;
            const int gy = cy + j;
            const uint64_t h = latticeHash(seed, wrap(gx, period), wrap(gy, period));
            const float px = static_cast<float>(gx) + hashToUnit(h);
            const float py = static_cast<float>(gy) + hashToUnit(mix64(h));
            const float d = std::hypot(px - x, py - y);
            if (d < result.nearest) {
                result.second = result.nearest;
                result.nearest = d;
                result.nearestId = h;
            } else if (d < result.second) {
                result.second = d;
            }
        }
    }
    return result;
}

} // namespace assets
