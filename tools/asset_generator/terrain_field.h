#pragma once

#include <cstdint>

#include "vector_math.h"

// The height of the land everywhere, in world units (y up, the water surface
// at y = 0). The layout is fixed, the seed only varies the small-scale shape:
// a lake in the middle of the lit stage, a meadow on the near side where the
// free-fly camera starts, gentle ground around, hills rising towards the rim.
namespace assets {

struct LakeShape {
    static constexpr float centreX = 0.2f;
    static constexpr float centreZ = 1.9f;
    static constexpr float radiusX = 1.4f;
    static constexpr float radiusZ = 0.85f;
};

class TerrainField {
public:
    // The flat lake bed.
    static constexpr float kBedLevel = -0.2f;
    // Where the free-fly camera starts: the ground there is flattened to this
    // height so the eye (0, 0.19, 0.68) stands a little above it.
    static constexpr float kStartX = 0.0f;
    static constexpr float kStartZ = 0.68f;
    static constexpr float kStartGround = 0.045f;
    // The middle of what the shadow map covers.
    static constexpr float kStageX = 0.0f;
    static constexpr float kStageZ = 1.6f;

    explicit TerrainField(uint64_t seed);

    // The same land without the spurs, gullies and knolls of the hillsides:
    // the tours, the trees on the hills and the meadow's tufts are laid out on
    // it, so the relief leaves the views and the layout as they were.
    TerrainField broadShape() const;

    float height(float x, float z) const;
    Vec3 normal(float x, float z) const;
    // The normal of the ground smoothed over about `reach` around the point:
    // what a flat face that wide should be lit with, its lesser bumps left out.
    Vec3 normalOver(float x, float z, float reach) const;

    // Elliptic distance from the lake's middle, 1 at about the shoreline, with a
    // wobble so the shore is not a perfect ellipse. Below about 1 the ground
    // lies under water; at 0.55 and less it is the flat bed.
    float lakeDistance(float x, float z) const;

    uint64_t seed() const { return seed_; }

private:
    float landHeight(float x, float z) const;
    float hillRelief(float x, float z, float r) const;

    uint64_t seed_;
    bool hillRelief_ = true;
};

} // namespace assets
