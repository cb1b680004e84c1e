#pragma once

// Internal to the Linux backend. Its SDL windows, EGL headless context and
// FreeType fonts all meet in the device context, so it is defined apart from
// any of those libraries.

#include "platform/platform.h"

namespace platform {

// A window's drawing surface is the window itself; a context without a window
// stands for a GL context that has none (headless).
struct DeviceContext {
    Window* window = nullptr;
    Font* font = nullptr;  // the selected font
};

} // namespace platform
