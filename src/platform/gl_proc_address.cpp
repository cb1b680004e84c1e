#include "platform/sdl_window_state.h"

namespace platform {

namespace {
ProcAddressSource procSource = nullptr;
}

void setProcAddressSource(ProcAddressSource source) { procSource = source; }

void* getGlProcAddress(const char* name)
{
    if (!name)
        return nullptr;
    if (procSource)
        return procSource(name);
    return SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GL_GetProcAddress(name) : nullptr;
}

} // namespace platform
