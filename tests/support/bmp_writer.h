#pragma once

// Builds Windows bitmap files byte by byte for tests, including broken ones:
// every field is the test's to set, nothing is checked or derived except where
// a field is left at its "fill in" value.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

using Rgb = std::array<uint8_t, 3>;

inline void putLe(std::string& out, std::initializer_list<std::pair<uint64_t, int>> fields)
{
    for (auto [value, bytes] : fields)
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A stored 24-bit row (blue, green, red per pixel), unpadded.
inline std::string bgrRow(const std::vector<Rgb>& pixels)
{
    std::string row;
    for (const Rgb& p : pixels)
        row += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
    return row;
}

// Rows as stored: each padded with zeros to a multiple of 4 bytes.
inline std::string paddedRows(const std::vector<std::string>& rows)
{
    std::string out;
    for (const std::string& row : rows)
        out += row + std::string((4 - row.size() % 4) % 4, '\0');
    return out;
}

// Raw bytes from a list of values, for pixel data written by hand.
inline std::string byteString(std::initializer_list<int> values)
{
    return std::string(values.begin(), values.end());
}

struct BmpFile {
    bool fileHeader = true;       // "BM" header first; false makes a packed DIB
    uint32_t headerSize = 40;     // 12 writes the core header; up to 4096 pads with zeros
    int32_t width = 1;
    int32_t height = 1;           // negative: top-down
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    uint32_t coloursUsed = 0;
    std::vector<uint32_t> masks;  // written right after a 40-byte header
    std::vector<Rgb> palette;     // 3-byte entries after a core header, else 4
    std::string pixels;           // pixel data exactly as stored
    int64_t pixelOffset = -1;     // -1: directly after the colour table

    std::string bytes() const
    {
        const bool core = headerSize == 12;
        std::string info;
        putLe(info, {{headerSize, 4}, {uint32_t(width), core ? 2 : 4}, {uint32_t(height), core ? 2 : 4},
                     {planes, 2}, {bitCount, 2}});
        if (!core)
            putLe(info, {{compression, 4}, {imageSize, 4}, {2835, 4}, {2835, 4}, {coloursUsed, 4}, {0, 4}});
        // Longer headers are zero-filled; absurd sizes stay at 40 bytes.
        if (headerSize > 40 && headerSize <= 4096)
            info.resize(headerSize, '\0');
        for (uint32_t mask : masks)
            putLe(info, {{mask, 4}});
        for (const Rgb& colour : palette)
            info += bgrRow({colour}) + (core ? "" : std::string(1, '\0'));
        std::string out;
        if (fileHeader)
            putLe(out += "BM", {{14 + info.size() + pixels.size(), 4}, {0, 4},
                                {pixelOffset >= 0 ? uint64_t(pixelOffset) : 14 + info.size(), 4}});
        return out + info + pixels;
    }
};

// A picture through a colour table. A table shorter than the bit count's full
// one is announced by the colours-used field, as writers do.
inline BmpFile indexedBmp(uint16_t bitCount, int32_t width, int32_t height, std::vector<Rgb> palette,
                          std::string pixels, uint32_t compression = 0)
{
    BmpFile bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitCount = bitCount;
    bmp.compression = compression;
    if (palette.size() < (size_t{1} << bitCount))
        bmp.coloursUsed = static_cast<uint32_t>(palette.size());
    bmp.palette = std::move(palette);
    bmp.pixels = std::move(pixels);
    return bmp;
}

// A bottom-up 24-bit picture of the given pixels, bottom row first.
inline BmpFile pictureBmp(int32_t width, int32_t height, const std::vector<Rgb>& pixels)
{
    std::vector<std::string> rows;
    for (int32_t y = 0; y < height; ++y)
        rows.push_back(bgrRow({pixels.begin() + y * width, pixels.begin() + (y + 1) * width}));
    BmpFile bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.pixels = paddedRows(rows);
    return bmp;
}

// A bottom-up 24-bit picture with a pattern that tells every pixel and channel apart.
inline BmpFile patternBmp24(int32_t width, int32_t height)
{
    std::vector<Rgb> pixels;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels.push_back({uint8_t(x * 7 + y), uint8_t(x + y * 3), uint8_t(x ^ (y * 5))});
    return pictureBmp(width, height, pixels);
}

} // namespace testing_support
