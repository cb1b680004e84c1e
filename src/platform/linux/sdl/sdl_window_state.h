#pragma once

// Internal to the SDL part of the Linux backend.

#include <SDL.h>

#include "platform/linux/device_context.h"

namespace platform {

struct Window {
    SDL_Window* sdl = nullptr;
    WindowProc proc = nullptr;
    void* userData = nullptr;
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
