#pragma once

// Internal to the SDL implementation of the platform layer.

#include <SDL.h>

#include "platform/platform.h"

namespace platform {

struct Window {
    SDL_Window* sdl = nullptr;
    WindowProc proc = nullptr;
    void* userData = nullptr;
};

// On SDL a window's drawing surface is the window itself; a context without
// a window stands for a GL context that has none (headless).
struct DeviceContext {
    Window* window = nullptr;
    Font* font = nullptr;  // the selected font
};

struct GlContext {
    SDL_GLContext sdl = nullptr;
};

namespace sdl {
bool ensureVideo();
Window* windowFromId(Uint32 id);
// Drops posted messages of a window that is going away.
void forgetPostedMessages(Window* window);
}

} // namespace platform
