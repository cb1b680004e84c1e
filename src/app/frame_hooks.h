#pragma once

#include <cstdint>

struct AppWindow;
struct KeyState;

// What the shell asks of the demo, once per window cycle and once per frame.
// False from initialize ends the program after the cycle.
bool initialize(AppWindow* window, KeyState* keys);
void update(uint32_t elapsedMilliseconds);
void render();
void deinitialize();
