#pragma once

#include <SDL.h>

namespace platform::sdl {

// The classic virtual-key code of a key, 0 for keys the demo has no code for.
int virtualKeyFromKeysym(const SDL_Keysym& keysym);
// Keys that arrive as system keys (with Alt, or F10) and so never reach the key array.
bool isSystemKey(const SDL_Keysym& keysym);
// The physical key for a virtual-key code, SDL_SCANCODE_UNKNOWN if none.
SDL_Scancode scancodeFromVirtualKey(int virtualKey);

} // namespace platform::sdl
