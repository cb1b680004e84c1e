#pragma once

#include <cstdint>

#include "material_textures.h"

// Cut-out pictures for the leaves and meadow: RGB only, premultiplied by
// coverage over an exact black (0, 0, 0) background, with the coverage itself
// in the normal map's blue channel (its red and green hold the relief). Both
// average alike in every mipmap level, so the foliage program finds the
// covered share and its true colour (colour / coverage) at any distance; the
// shadow pass, at full detail, still takes near-black texels as empty.
namespace assets {

enum class LeafStyle { Broadleaf, DarkBroadleaf };

TexturePair makeLeafTexture(uint64_t seed, LeafStyle style);  // 256
TexturePair makeGrassBladeTexture(uint64_t seed);             // 256
TexturePair makeFlowerGrassTexture(uint64_t seed);            // 256

// Overlay crosshair, 64 by 64: a thin ring and cross on black, which the colour
// key makes transparent. The overlay draws it with texture coordinates -0.5 to
// 0.5, so the design is centred on the picture's corner and wraps around.
RgbImage makeCrosshairTexture();

} // namespace assets
