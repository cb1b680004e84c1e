#include "image/dib_layout.h"

#include <algorithm>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kPixelOffsetField = 10;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr size_t kMaskBytes = 12;
constexpr int64_t kMaxSide = 65535;

uint16_t read16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t read32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8
        | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint32_t fullColourTable(uint16_t bitCount)
{
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

bool bitCountFitsCompression(uint16_t bitCount, uint32_t compression)
{
    switch (compression) {
    case kDibRgb:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24
            || bitCount == 32;
    case kDibRle8: return bitCount == 8;
    case kDibRle4: return bitCount == 4;
    case kDibBitFields: return bitCount == 16 || bitCount == 32;
    default: return false;  // JPEG, PNG and later codes
    }
}

// A channel is one run of set bits; scattered bits have no sensible brightness.
bool contiguous(uint32_t mask)
{
    if (mask == 0)
        return true;
    while ((mask & 1) == 0)
        mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

} // namespace

uint64_t maxRlePixels(uint64_t streamBytes)
{
    return streamBytes / 2 * 255;
}

DibLayoutResult readDibLayout(const uint8_t* file, size_t size, DibLayout& layout)
{
    // "BM" starts a file header, whose only field of use is the pixel offset;
    // without it the info header comes first (a packed DIB).
    const bool fileHeader = size >= 2 && file[0] == 'B' && file[1] == 'M';
    const size_t headerStart = fileHeader ? kFileHeaderSize : 0;
    if (size < headerStart + 4)
        return DibLayoutResult::UnknownFormat;
    const uint8_t* header = file + headerStart;
    const uint32_t headerSize = read32(header);
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize)
        return DibLayoutResult::UnknownFormat;
    if (size - headerStart < headerSize)
        return DibLayoutResult::Unconvertible;

    const bool core = headerSize == kCoreHeaderSize;
    int64_t width = 0;
    int64_t height = 0;
    uint16_t bitCount = 0;
    uint32_t compression = kDibRgb;
    uint32_t coloursUsed = 0;
    if (core) {
        width = read16(header + 4);
        height = read16(header + 6);
        bitCount = read16(header + 10);
    } else {
        width = static_cast<int32_t>(read32(header + 4));
        height = static_cast<int32_t>(read32(header + 8));
        bitCount = read16(header + 14);
        compression = read32(header + 16);
        coloursUsed = read32(header + 32);
    }

    // 64-bit sides, so even INT32_MIN has a magnitude to compare.
    layout.topDown = height < 0;
    if (height < 0)
        height = -height;
    if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide)
        return DibLayoutResult::Unconvertible;
    if (!bitCountFitsCompression(bitCount, compression))
        return DibLayoutResult::Unconvertible;

    uint64_t tableStart = headerStart + headerSize;
    if (compression == kDibBitFields) {
        if (size < tableStart + kMaskBytes)
            return DibLayoutResult::Unconvertible;
        for (int i = 0; i < 3; ++i)
            layout.masks[i] = read32(file + tableStart + 4 * i);
        tableStart += kMaskBytes;
    } else if (bitCount == 16) {
        layout.masks[0] = 0x7C00, layout.masks[1] = 0x03E0, layout.masks[2] = 0x001F;
    } else if (bitCount == 32) {
        layout.masks[0] = 0xFF0000, layout.masks[1] = 0x00FF00, layout.masks[2] = 0x0000FF;
    }
    for (uint32_t mask : layout.masks) {
        if (!contiguous(mask))
            return DibLayoutResult::Unconvertible;
    }

    // Colours used gives the stored table's length. A palette picture uses at
    // most 2^bits of its entries (a longer table only moves the pixels); above
    // 8 bits the table is optional and only moves the pixels.
    const uint64_t fullTable = fullColourTable(bitCount);
    const uint64_t storedEntries = coloursUsed != 0 ? coloursUsed : fullTable;
    const uint64_t entries = bitCount <= 8 ? std::min(storedEntries, fullTable) : storedEntries;
    const uint32_t entrySize = core ? 3 : 4;
    if (bitCount <= 8 && tableStart + entries * entrySize > size)
        return DibLayoutResult::Unconvertible;
    const uint64_t tableEnd = tableStart + storedEntries * entrySize;

    const uint64_t pixelOffset = fileHeader ? read32(file + kPixelOffsetField) : tableEnd;
    if (pixelOffset >= size)
        return DibLayoutResult::Unconvertible;

    const uint64_t rowBits = static_cast<uint64_t>(width) * bitCount;
    const uint64_t rowStride = (rowBits + 31) / 32 * 4;
    if (compression == kDibRle8 || compression == kDibRle4) {
        if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > maxRlePixels(size - pixelOffset))
            return DibLayoutResult::Unconvertible;
    } else {
        // The padding after the last row is not needed, and some writers leave it out.
        const uint64_t end = pixelOffset + rowStride * static_cast<uint64_t>(height - 1) + (rowBits + 7) / 8;
        if (end > size)
            return DibLayoutResult::Unconvertible;
    }

    layout.width = static_cast<int32_t>(width);
    layout.height = static_cast<int32_t>(height);
    layout.bitCount = bitCount;
    layout.compression = compression;
    layout.paletteOffset = static_cast<size_t>(tableStart);
    layout.paletteEntries = bitCount <= 8 ? static_cast<uint32_t>(entries) : 0;
    layout.paletteEntrySize = entrySize;
    layout.pixelOffset = static_cast<size_t>(pixelOffset);
    layout.rowStride = static_cast<size_t>(rowStride);
    return DibLayoutResult::Ok;
}
