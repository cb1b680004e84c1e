#pragma once

#include <string>

struct RgbImage;

// The current read framebuffer's bottom-left width x height pixels, top row
// first.
void readFramebuffer(RgbImage& image, int width, int height);

// Saves them as an RGB PNG. False when the file cannot be written.
bool saveFramebufferPng(const std::string& path, int width, int height);
