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

// Decodes a Windows bitmap file: a 12- or 40-byte info header, with or without
// the "BM" file header; 1, 4 and 8 bits through the colour table, 16 and 32
// bits as 5-5-5 / x8-8-8-8 or by bit-field masks, 24 bits, and RLE of 8- and
// 4-bit data. Bottom-up and top-down files both come out bottom row first,
// with a positive height. Backslashes in the name are taken as directory
// separators. On failure exactly one "Error" message box has told why (the
// open message names the file as passed) and the result is null.
std::unique_ptr<DibImage> loadDibImage(const char* fileName);
