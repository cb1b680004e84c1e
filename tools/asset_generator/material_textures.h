#pragma once

#include <cstdint>

#include "rgb_image.h"

// The tileable surface textures of the scenery: a base picture and its
// tangent-space normal map per material, plus the two shared detail maps.
namespace assets {

struct TexturePair {
    RgbImage base;
    RgbImage normal;
};

TexturePair makeGrassGroundTexture(uint64_t seed);  // 512
TexturePair makeSandTexture(uint64_t seed);         // 256
TexturePair makeRockTexture(uint64_t seed);         // 512
TexturePair makeBarkTexture(uint64_t seed);         // 256
TexturePair makeLakeBedTexture(uint64_t seed);      // 256

// Fine relief laid over every surface but the lake bed.
RgbImage makeDetailNormalMap(uint64_t seed);  // 256
// Wave normals of the water, also the lake bed's detail map; tiles seamlessly.
RgbImage makeWaterNormalMap(uint64_t seed);  // 256

} // namespace assets
