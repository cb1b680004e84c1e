#pragma once

#include "rgb_image.h"

namespace assets {

// Tangent-space normal map of a height field: x along increasing s (columns),
// y along increasing t (rows, bottom first), z out of the surface; stored as
// normal * 0.5 + 0.5. `strength` scales the height differences per pixel.
// A tileable height field gives a tileable normal map (neighbours wrap);
// otherwise the border pixels repeat.
RgbImage normalMapFromHeight(const FloatImage& height, float strength, bool tileable);

// The flat tangent-space normal (0, 0, 1), the colour of a surface without relief.
RgbImage flatNormalMap(int width, int height);

} // namespace assets
