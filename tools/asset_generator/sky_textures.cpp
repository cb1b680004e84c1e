#include "sky_textures.h"

#include <cmath>

#include "noise.h"

namespace assets {
namespace {

// The box is drawn 1000 units to each side around (0, 200, 0); the scene is
// watched from near the origin, so directions are taken from there.
constexpr float kBoxHalfSize = 1000.0f;
constexpr float kBoxCentreY = 200.0f;
const Vec3 kViewer{0.0f, 0.25f, 1.6f};

struct MoodColors {
    Color zenith;
    Color horizon;
    Color lowHaze;  // just below the horizon
    Color land;     // far below the horizon
    Color sun;
    Color cloudLit;
    Color cloudShade;
    float coverage;  // higher: fewer clouds
    float cloudScale;
    float glow;
};

MoodColors moodColors(SkyMood mood)
{
    if (mood == SkyMood::ClearDay) {
        return MoodColors{{0.19f, 0.40f, 0.80f}, {0.68f, 0.81f, 0.94f}, {0.60f, 0.69f, 0.74f}, {0.36f, 0.43f, 0.38f},
                          {1.0f, 0.97f, 0.88f},  {1.0f, 1.0f, 1.0f},    {0.70f, 0.74f, 0.82f}, 0.08f,
                          1.1f,                  0.30f};
    }
    return MoodColors{{0.26f, 0.32f, 0.60f}, {0.97f, 0.75f, 0.53f}, {0.76f, 0.62f, 0.52f}, {0.34f, 0.34f, 0.32f},
                      {1.0f, 0.86f, 0.62f},  {1.0f, 0.88f, 0.72f},  {0.50f, 0.44f, 0.50f}, -0.05f,
                      0.9f,                  0.55f};
}

// Towards the scene's light, which sits high over the far side of the lake.
Vec3 sunDirection() { return normalize(Vec3{-0.78f, 3.8f, 2.2f}); }

} // namespace

const char* skyFaceName(SkyFace face)
{
    switch (face) {
    case SkyFace::Front: return "Front";
    case SkyFace::Right: return "Right";
    case SkyFace::Back: return "Back";
    case SkyFace::Left: return "Left";
    case SkyFace::Top: return "Top";
    case SkyFace::Bottom: return "Bottom";
    }
    return "";
}

Vec3 skyFacePoint(SkyFace face, float a, float b)
{
    switch (face) {
    case SkyFace::Front: return {a, b, 1.0f};
    case SkyFace::Right: return {1.0f, b, -a};
    case SkyFace::Back: return {-a, b, -1.0f};
    case SkyFace::Left: return {-1.0f, b, a};
    case SkyFace::Top: return {a, 1.0f, -b};
    case SkyFace::Bottom: return {a, -1.0f, b};
    }
    return {0.0f, 0.0f, 1.0f};
}

Color skyColor(uint64_t seed, SkyMood mood, Vec3 v)
{
    const MoodColors m = moodColors(mood);
    const float elevation = v.y;
    Color c;
    if (elevation >= 0.0f) {
        c = mixColor(m.horizon, m.zenith, std::pow(elevation, 0.55f));
    } else {
        c = mixColor(m.lowHaze, m.land, smoothstep(0.0f, 0.35f, -elevation));
        c = mixColor(m.horizon, c, smoothstep(0.0f, 0.04f, -elevation));
    }

    const float toSun = std::max(0.0f, dot(v, sunDirection()));
    c = c + m.sun * (m.glow * std::pow(toSun, 10.0f) + 0.6f * std::pow(toSun, 300.0f));

    if (elevation > 0.0f) {
        // Clouds on a flat layer above the scene, seen in perspective.
        const float k = m.cloudScale / (elevation + 0.12f);
        const float px = v.x * k;
        const float pz = v.z * k;
        const float n = fbm(seed + 1, px + 17.0f, pz - 5.0f, 5);
        const float density = smoothstep(m.coverage, m.coverage + 0.32f, n) * smoothstep(0.0f, 0.16f, elevation);
        if (density > 0.0f) {
            const Vec3 sun = sunDirection();
            const float nearSun = fbm(seed + 1, px + 17.0f + sun.x * 0.15f, pz - 5.0f + sun.z * 0.15f, 5);
            const float lit = clamp01(0.55f + (n - nearSun) * 3.0f);
            Color cloud = mixColor(m.cloudShade, m.cloudLit, lit);
            cloud = cloud + m.sun * (0.35f * std::pow(toSun, 6.0f));
            c = mixColor(c, cloud, density * 0.92f);
        }
    }

    if (toSun > 0.99965f) {
        c = mixColor(c, Color{1.0f, 1.0f, 0.96f}, smoothstep(0.99965f, 0.99985f, toSun));
    }
    return c;
}

RgbImage makeSkyFace(uint64_t seed, SkyMood mood, SkyFace face, int size)
{
    RgbImage out(size, size);
    const float last = static_cast<float>(size - 1);
    // From whole numbers, so that mirrored texels get exactly negated
    // coordinates and shared edges come out bit for bit the same.
    auto coordinate = [&](int i) { return static_cast<float>(2 * i - (size - 1)) / last; };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Vec3 p = skyFacePoint(face, coordinate(x), coordinate(y));
            const Vec3 world{p.x * kBoxHalfSize, p.y * kBoxHalfSize + kBoxCentreY, p.z * kBoxHalfSize};
            out.set(x, y, skyColor(seed, mood, normalize(world - kViewer)));
        }
    }
    return out;
}

} // namespace assets
