#pragma once

#include <string>
#include <vector>

// An 8-bit RGB picture, top row first, three bytes a pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
};

// Reads a PNG file into RGB (grey and alpha are turned into RGB). False with
// a reason naming the file when it is missing, not a PNG, damaged or larger
// than 4096 pixels a side.
bool readPngFile(const std::string& path, RgbImage& image, std::string& error);

// False when the file cannot be written.
bool writePngFile(const std::string& path, const RgbImage& image);
