#include "platform/sdl_key_codes.h"
#include "platform/sdl_window_state.h"

namespace platform {

void showCursor(bool show)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

bool getCursorPos(int& x, int& y)
{
    x = y = 0;
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    SDL_GetGlobalMouseState(&x, &y);
    return true;
}

void setCursorPos(int x, int y)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_WarpMouseGlobal(x, y);
}

bool isKeyHeld(int virtualKey)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    const SDL_Keymod mods = SDL_GetModState();
    switch (virtualKey) {
    case VK_SHIFT: return mods & KMOD_SHIFT;
    case VK_CONTROL: return mods & KMOD_CTRL;
    case VK_MENU: return mods & KMOD_ALT;
    default: break;
    }
    const SDL_Scancode scancode = sdl::scancodeFromVirtualKey(virtualKey);
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return false;
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    return scancode < count && state[scancode] != 0;
}

} // namespace platform
