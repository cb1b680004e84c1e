#pragma once

#include <cstdint>

#include "material_textures.h"

// Cut-out pictures for the alpha-tested leaves and meadow: RGB only, the
// background is exact black (0, 0, 0) and every covered texel is clearly
// brighter, so the leaf shaders can take coverage from the colour.
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
