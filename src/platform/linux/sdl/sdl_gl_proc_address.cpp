#include "platform/linux/sdl/sdl_window_state.h"
#include "platform/system_services.h"

namespace platform::system {

void* glProcAddress(const char* name)
{
    return SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GL_GetProcAddress(name) : nullptr;
}

} // namespace platform::system
