#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A decoded bitmap: tightly packed red, green, blue bytes, bottom row first,
// ready to hand to OpenGL.
struct DibImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> data;  // width * height * 3 bytes
};

// Decodes a Windows bitmap file. Backslashes in the name are taken as
// directory separators. On failure the reason has been shown in an "Error"
// message box and the result is null.
std::unique_ptr<DibImage> loadDibImage(const char* fileName);
