#pragma once

#include <string>

// Saves the current read framebuffer's bottom-left width x height pixels as
// an RGB PNG, top row first. False when the file cannot be written.
bool saveFramebufferPng(const std::string& path, int width, int height);
