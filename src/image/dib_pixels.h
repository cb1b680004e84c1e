#pragma once

#include <cstddef>
#include <cstdint>

#include "image/dib_layout.h"

// Converts a bitmap's pixel data, as its accepted layout describes it, into
// tightly packed red, green, blue rows, bottom row first. `rgb` holds
// width * height * 3 bytes, all zero: pixels an RLE stream skips stay black.
// False when an RLE stream paints past its row or past the picture; every
// other check was made when the layout was read.
bool decodeDibPixels(const uint8_t* file, size_t size, const DibLayout& layout, uint8_t* rgb);
