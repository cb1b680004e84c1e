#pragma once

#include <string>

#include "rgb_image.h"

namespace assets {

// A plain 24-bit Windows bitmap: the 14-byte "BM" file header, the 40-byte
// info header, rows bottom first in blue-green-red order, each padded to a
// multiple of 4 bytes.
std::string encodeBmp(const RgbImage& image);

} // namespace assets
