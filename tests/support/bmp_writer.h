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

inline void putLe(std::string& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
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
        std::string info;
        putLe(info, headerSize, 4);
        if (headerSize == 12) {
            putLe(info, static_cast<uint16_t>(width), 2);
            putLe(info, static_cast<uint16_t>(height), 2);
            putLe(info, planes, 2);
            putLe(info, bitCount, 2);
        } else {
            putLe(info, static_cast<uint32_t>(width), 4);
            putLe(info, static_cast<uint32_t>(height), 4);
            putLe(info, planes, 2);
            putLe(info, bitCount, 2);
            putLe(info, compression, 4);
            putLe(info, imageSize, 4);
            putLe(info, 2835, 4);
            putLe(info, 2835, 4);
            putLe(info, coloursUsed, 4);
            putLe(info, 0, 4);
            // Longer headers are zero-filled; absurd sizes stay at 40 bytes.
            if (headerSize > 40 && headerSize <= 4096)
                info.resize(headerSize, '\0');
        }
        for (uint32_t mask : masks)
            putLe(info, mask, 4);
        for (const Rgb& colour : palette) {
            info.push_back(static_cast<char>(colour[2]));
            info.push_back(static_cast<char>(colour[1]));
            info.push_back(static_cast<char>(colour[0]));
            if (headerSize != 12)
                info.push_back('\0');
        }

        std::string out;
        if (fileHeader) {
            const uint64_t offset = pixelOffset >= 0 ? static_cast<uint64_t>(pixelOffset) : 14 + info.size();
            out += "BM";
            putLe(out, 14 + info.size() + pixels.size(), 4);
            putLe(out, 0, 4);
            putLe(out, offset, 4);
        }
        out += info;
        return out + pixels;
    }
};

// A picture through a colour table. A table shorter than the bit count's full
// one is announced by the colours-used field, as writers do.
inline BmpFile indexedBmp(uint16_t bitCount, int32_t width, int32_t height, std::vector<Rgb> palette,
                          std::string pixels, uint32_t compression = 0)
{
    BmpFile bmp;
    bmp.bitCount = bitCount;
    bmp.compression = compression;
    bmp.width = width;
    bmp.height = height;
    if (palette.size() < (size_t{1} << bitCount))
        bmp.coloursUsed = static_cast<uint32_t>(palette.size());
    bmp.palette = std::move(palette);
    bmp.pixels = std::move(pixels);
    return bmp;
}

// Rows as stored: each padded with zeros to a multiple of 4 bytes.
inline std::string paddedRows(const std::vector<std::string>& rows)
{
    std::string out;
    for (const std::string& row : rows) {
        out += row;
        out.append((4 - row.size() % 4) % 4, '\0');
    }
    return out;
}

// A stored 24-bit row (blue, green, red per pixel), unpadded.
inline std::string bgrRow(const std::vector<Rgb>& pixels)
{
    std::string row;
    for (const Rgb& p : pixels) {
        row.push_back(static_cast<char>(p[2]));
        row.push_back(static_cast<char>(p[1]));
        row.push_back(static_cast<char>(p[0]));
    }
    return row;
}

// Raw bytes from a list of values, for pixel data written by hand.
inline std::string byteString(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// A bottom-up 24-bit picture of the given size, with a pattern that tells
// every pixel and channel apart.
inline BmpFile patternBmp24(int32_t width, int32_t height)
{
    std::vector<std::string> rows;
    for (int32_t y = 0; y < height; ++y) {
        std::vector<Rgb> row;
        for (int32_t x = 0; x < width; ++x)
            row.push_back({static_cast<uint8_t>(x * 7 + y), static_cast<uint8_t>(x + y * 3),
                           static_cast<uint8_t>(x ^ (y * 5))});
        rows.push_back(bgrRow(row));
    }
    BmpFile bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.pixels = paddedRows(rows);
    return bmp;
}

} // namespace testing_support
