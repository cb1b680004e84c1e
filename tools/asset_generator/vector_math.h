#pragma once

#include <algorithm>
#include <cmath>

#include "camera/vec3.h"

// Small helpers on top of the demo's Vec3 that only the generator needs.
namespace assets {

struct Vec2 {
    float s = 0.0f;
    float t = 0.0f;
};

inline Vec3 vec3(float x, float y, float z) { return Vec3{x, y, z}; }

inline Vec3 negate(Vec3 v) { return {-v.x, -v.y, -v.z}; }

inline Vec3 lerp(Vec3 a, Vec3 b, float t) { return a + (b - a) * t; }

inline float lerp(float a, float b, float t) { return a + (b - a) * t; }

inline float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

inline float smoothstep(float edge0, float edge1, float v)
{
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

// Normalised, or `fallback` for a vector too short to have a direction.
inline Vec3 normalizeOr(Vec3 v, Vec3 fallback)
{
    const float l = length(v);
    return l > 1e-12f ? v * (1.0f / l) : fallback;
}

inline Vec3 faceNormal(Vec3 a, Vec3 b, Vec3 c)
{
    return normalizeOr(cross(b - a, c - a), Vec3{0.0f, 1.0f, 0.0f});
}

inline float horizontalDistance(Vec3 a, Vec3 b) { return std::hypot(a.x - b.x, a.z - b.z); }

} // namespace assets
