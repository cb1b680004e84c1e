#include "platform/linux/sdl/sdl_key_codes.h"

#include "platform/platform.h"

namespace platform::sdl {

namespace {

struct KeyPair {
    SDL_Keycode key;
    int virtualKey;
};

constexpr KeyPair namedKeys[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09}, {SDLK_RETURN, VK_RETURN},
    {SDLK_LSHIFT, VK_SHIFT}, {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU}, {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, 0x13}, {SDLK_CAPSLOCK, 0x14}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, 0x21}, {SDLK_PAGEDOWN, 0x22}, {SDLK_END, 0x23}, {SDLK_HOME, 0x24},
    {SDLK_LEFT, VK_LEFT}, {SDLK_UP, VK_UP}, {SDLK_RIGHT, VK_RIGHT}, {SDLK_DOWN, VK_DOWN},
    {SDLK_INSERT, 0x2D}, {SDLK_DELETE, 0x2E},
    {SDLK_KP_0, 0x60}, {SDLK_KP_1, 0x61}, {SDLK_KP_2, 0x62}, {SDLK_KP_3, 0x63},
    {SDLK_KP_4, 0x64}, {SDLK_KP_5, 0x65}, {SDLK_KP_6, 0x66}, {SDLK_KP_7, 0x67},
    {SDLK_KP_8, 0x68}, {SDLK_KP_9, 0x69}, {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D}, {SDLK_KP_PERIOD, 0x6E}, {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_KP_ENTER, VK_RETURN},
};

} // namespace

int virtualKeyFromKeysym(const SDL_Keysym& keysym)
{
    const SDL_Keycode key = keysym.sym;
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + (key - SDLK_F1);
    for (const KeyPair& pair : namedKeys)
        if (pair.key == key)
            return pair.virtualKey;
    return 0;
}

bool isSystemKey(const SDL_Keysym& keysym)
{
    return (keysym.mod & KMOD_ALT) || keysym.sym == SDLK_LALT || keysym.sym == SDLK_RALT
        || keysym.sym == SDLK_F10;
}

SDL_Scancode scancodeFromVirtualKey(int virtualKey)
{
    SDL_Keycode key = SDLK_UNKNOWN;
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        key = SDLK_a + (virtualKey - 'A');
    else if (virtualKey >= '0' && virtualKey <= '9')
        key = SDLK_0 + (virtualKey - '0');
    else if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 12)
        key = SDLK_F1 + (virtualKey - VK_F1);
    else
        for (const KeyPair& pair : namedKeys)
            if (pair.virtualKey == virtualKey) {
                key = pair.key;
                break;
            }
    return key == SDLK_UNKNOWN ? SDL_SCANCODE_UNKNOWN : SDL_GetScancodeFromKey(key);
}

} // namespace platform::sdl
