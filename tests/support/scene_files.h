#pragma once

// Fixtures for scene tests: small 24-bit bitmaps and the texture files every
// scene load reads.
#include <cstdint>
#include <filesystem>
#include <string>

#include "support/test_files.h"

namespace testing_support {

// A width x height 24-bit bitmap of one colour, rows padded to 4 bytes.
inline std::string solidBmp24(int width, int height, uint8_t red, uint8_t green, uint8_t blue)
{
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    std::string file;
    auto put16 = [&](uint32_t v) { file += char(v & 0xff); file += char((v >> 8) & 0xff); };
    auto put32 = [&](uint32_t v) { put16(v & 0xffff); put16(v >> 16); };
    file += "BM";
    put32(14 + 40 + pixelBytes);
    put32(0);
    put32(14 + 40);
    put32(40);
    put32(static_cast<uint32_t>(width));
    put32(static_cast<uint32_t>(height));
    put16(1);
    put16(24);
    put32(0);
    put32(pixelBytes);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += char(blue);
            row += char(green);
            row += char(red);
        }
        row.resize(rowBytes, '\0');
        file += row;
    }
    return file;
}

// The detail and water normal maps that every scene load creates, in the
// Textures directory under `root`.
inline void writeDetailTextures(const std::filesystem::path& root)
{
    writeFile(root / "Textures" / "detail1normal.bmp", solidBmp24(4, 4, 128, 128, 255));
    writeFile(root / "Textures" / "water_normal3.bmp", solidBmp24(4, 4, 100, 140, 250));
}

} // namespace testing_support
