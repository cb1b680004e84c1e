#pragma once

#include <cstddef>
#include <cstdint>

// Compression codes of the 40-byte info header.
constexpr uint32_t kDibRgb = 0;
constexpr uint32_t kDibRle8 = 1;
constexpr uint32_t kDibRle4 = 2;
constexpr uint32_t kDibBitFields = 3;

// Where and how a bitmap file keeps its picture, read from its headers. A
// layout that readDibLayout accepted lies wholly inside the file it came from:
// header, masks, colour table and, for uncompressed data, every row's pixels.
struct DibLayout {
    int32_t width = 0;            // 1 to 65535
    int32_t height = 0;           // 1 to 65535, whichever way the rows are stored
    bool topDown = false;         // the first stored row is the picture's top row
    uint16_t bitCount = 0;        // 1, 4, 8, 16, 24 or 32
    uint32_t compression = kDibRgb;
    uint32_t masks[3] = {};       // red, green, blue bits of a 16- or 32-bit pixel
    size_t paletteOffset = 0;     // colour table of blue, green, red (, reserved) entries
    uint32_t paletteEntries = 0;  // at most 2^bitCount, only for 1, 4 and 8 bits
    uint32_t paletteEntrySize = 4;
    size_t pixelOffset = 0;
    size_t rowStride = 0;         // bytes per uncompressed row, padded to 4
};

enum class DibLayoutResult {
    Ok,
    UnknownFormat,  // no 12- or 40-byte info header
    Unconvertible,  // a header we know, describing a picture we cannot take from this file
};

DibLayoutResult readDibLayout(const uint8_t* file, size_t size, DibLayout& layout);

// The most pixels an RLE stream of this many bytes can paint: a two-byte code
// repeats one colour at most 255 times, and no other code paints more per byte.
// Skips (end of line, delta, early end of bitmap) could leave larger areas
// blank, but encoders emit runs for every pixel, so a bitmap claiming more than
// this is taken as broken rather than trusted with an allocation that large.
uint64_t maxRlePixels(uint64_t streamBytes);
