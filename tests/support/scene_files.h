#pragma once

// Fixtures for scene tests: the texture files every scene load reads, and
// solid-colour bitmaps for materials.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/bmp_writer.h"
#include "support/test_files.h"

namespace testing_support {

// A 4 x 4 24-bit bitmap of one colour.
inline std::string solidBmp24(Rgb colour)
{
    const std::string row = bgrRow(std::vector<Rgb>(4, colour));
    BmpFile bmp;
    bmp.width = 4;
    bmp.height = 4;
    bmp.pixels = paddedRows({row, row, row, row});
    return bmp.bytes();
}

const Rgb detailMapColour{128, 128, 255};
const Rgb waterMapColour{100, 140, 250};

// The detail and water normal maps that every scene load creates, in the
// Textures directory under `root`.
inline void writeDetailTextures(const std::filesystem::path& root)
{
    writeFile(root / "Textures" / "detail1normal.bmp", solidBmp24(detailMapColour));
    writeFile(root / "Textures" / "water_normal3.bmp", solidBmp24(waterMapColour));
}

} // namespace testing_support
