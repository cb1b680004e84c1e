#include "view_sampler.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// A uniform number in [0, 1) from the raw 64 bits, which the standard fixes
// for mt19937_64; its distributions are left to each library.
class UnitRandom {
public:
    explicit UnitRandom(uint64_t seed) : engine_(seed) {}
    double next() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    double between(double low, double high) { return low + (high - low) * next(); }

private:
    std::mt19937_64 engine_;
};

} // namespace

std::vector<SampledView> sampleViews(const GroundProbe& ground, int count, uint64_t seed, const SweepRange& range)
{
    Vec3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
    for (const GroundProbe::Triangle& t : ground.triangles)
        for (Vec3 p : {t.a, t.b, t.c}) {
            lo = componentMin(lo, p);
            hi = componentMax(hi, p);
        }
    UnitRandom random(seed);
    std::vector<SampledView> views;
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(random.between(lo.x - range.margin, hi.x + range.margin));
        const float z = static_cast<float>(random.between(lo.z - range.margin, hi.z + range.margin));
        const double height = range.lowest * std::pow(static_cast<double>(range.highest / range.lowest), random.next());
        const float y = ground.heightAt(x, z).value_or(0.0f) + static_cast<float>(height);
        const double yaw = random.between(0.0, 2.0 * 3.14159265358979323846);
        const double pitch = random.between(range.pitchDown, range.pitchUp);
        const Vec3 eye{x, y, z};
        const Vec3 direction{static_cast<float>(std::cos(pitch) * std::sin(yaw)), static_cast<float>(std::sin(pitch)),
                             static_cast<float>(std::cos(pitch) * std::cos(yaw))};
        views.push_back({eye, eye + direction});
    }
    return views;
}
