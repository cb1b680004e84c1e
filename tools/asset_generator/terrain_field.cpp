#include "terrain_field.h"

#include <cmath>

#include "noise.h"

namespace assets {

TerrainField::TerrainField(uint64_t seed) : seed_(seed) {}

TerrainField TerrainField::broadShape() const
{
    TerrainField broad = *this;
    broad.hillRelief_ = false;
    return broad;
}

float TerrainField::lakeDistance(float x, float z) const
{
    const float dx = (x - LakeShape::centreX) / LakeShape::radiusX;
    const float dz = (z - LakeShape::centreZ) / LakeShape::radiusZ;
    const float d = std::sqrt(dx * dx + dz * dz);
    const float wobble = 0.07f * fbm(seed_ + 5, x * 1.1f, z * 1.1f, 2);
    return d * (1.0f + wobble);
}

float TerrainField::hillRelief(float x, float z, float r) const
{
    // Spurs and gullies running down the hillsides: noise around the stage,
    // finer across the slope than down it, whose creases are the gullies'
    // beds. The angle wraps with a whole number of cells, so there is no seam
    // behind the stage.
    constexpr int cellsAround = 22;
    constexpr float kTwoPi = 6.28318531f;
    const float around = (std::atan2(z - kStageZ, x - kStageX) / kTwoPi + 0.5f) * static_cast<float>(cellsAround);
    const float spurs = 1.0f - ridgedFbm(seed_ + 6, around, r * 0.28f, 2, cellsAround, 0);
    // Knolls on the slopes.
    const float knolls = 0.5f + 0.5f * fbm(seed_ + 7, x * 0.55f, z * 0.55f, 2);
    // Only ever added, so the rim keeps its height.
    return smoothstep(5.0f, 7.5f, r) * std::max(0.18f * spurs + 0.1f * knolls, 0.0f);
}

float TerrainField::landHeight(float x, float z) const
{
    const float r = std::hypot(x - kStageX, z - kStageZ);
    // Gentle bumps on the stage, growing a little away from it.
    const float bumps = (0.032f + 0.02f * smoothstep(2.5f, 5.0f, r)) * fbm(seed_ + 1, x * 0.9f, z * 0.9f, 3);
    float h = 0.075f + bumps;
    // A low rise behind the lake that frames the view from the start.
    h += 0.18f * std::exp(-((x - 0.6f) * (x - 0.6f) / 3.0f + (z - 4.6f) * (z - 4.6f) / 0.8f));
    // Hills all around, high enough at the rim to hide the lower half of the sky.
    const float hills = smoothstep(4.3f, 11.5f, r) * (1.9f + 0.9f * fbm(seed_ + 2, x * 0.17f, z * 0.17f, 4));
    const float crags = smoothstep(6.0f, 11.0f, r) * 0.35f * ridgedFbm(seed_ + 3, x * 0.45f, z * 0.45f, 3);
    h += hills + crags + (hillRelief_ ? hillRelief(x, z, r) : 0.0f);
    h = std::max(h, 0.03f);
    // A small level spot under the start pose.
    const float dxs = x - kStartX;
    const float dzs = z - kStartZ;
    const float w = std::exp(-(dxs * dxs + dzs * dzs) / (2.0f * 0.3f * 0.3f));
    return h + (kStartGround - h) * w;
}

float TerrainField::height(float x, float z) const
{
    const float land = landHeight(x, z);
    const float d = lakeDistance(x, z);
    if (d >= 1.3f) {
        return land;
    }
    const float t = clamp01((d - 0.55f) / (1.3f - 0.55f));
    if (t <= 0.0f) {
        return kBedLevel;
    }
    return kBedLevel + (land - kBedLevel) * (t * t * (3.0f - 2.0f * t));
}

Vec3 TerrainField::normal(float x, float z) const { return normalOver(x, z, 0.02f); }

Vec3 TerrainField::normalOver(float x, float z, float reach) const
{
    const float dx = height(x + reach, z) - height(x - reach, z);
    const float dz = height(x, z + reach) - height(x, z - reach);
    return normalize(Vec3{-dx, 2.0f * reach, -dz});
}

} // namespace assets
