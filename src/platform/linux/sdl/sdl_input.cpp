#include "platform/linux/sdl/sdl_key_codes.h"
#include "platform/linux/sdl/sdl_window_state.h"

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
    // Over our own window the position from its events is current; X11's
    // global state is only refreshed by raw motion, which injected moves
    // (remote desktops, test drivers) do not send.
    if (SDL_Window* focus = SDL_GetMouseFocus()) {
        int windowX = 0, windowY = 0;
        SDL_PumpEvents();
        SDL_GetMouseState(&x, &y);
        SDL_GetWindowPosition(focus, &windowX, &windowY);
        x += windowX;
        y += windowY;
        return true;
    }
    SDL_GetGlobalMouseState(&x, &y);
    return true;
}

void setCursorPos(int x, int y)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    // Warping within our window also updates the position getCursorPos reads.
    if (SDL_Window* focus = SDL_GetMouseFocus()) {
        int windowX = 0, windowY = 0;
        SDL_GetWindowPosition(focus, &windowX, &windowY);
        SDL_WarpMouseInWindow(focus, x - windowX, y - windowY);
        return;
    }
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
