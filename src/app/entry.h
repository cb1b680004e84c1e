#pragma once

#include <cstdint>

// The render resolution: window size, fullscreen mode and every frame viewport.
extern int32_t screenWidth;
extern int32_t screenHeight;

// Picks the resolution from the whole command-line text (not counting the
// program name). Only the exact texts "-1024x768", "-800x600" and
// "-1600x1200" change it.
void applyResolutionSwitch(const char* commandLine);

// The whole program after the command line is known; returns the exit status.
int runApplication(const char* commandLine);
