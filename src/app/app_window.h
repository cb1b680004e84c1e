#pragma once

#include <cstdint>

#include "platform/platform.h"

struct AppInfo {
    const char* className = nullptr;
};

// Key flags indexed by virtual-key code, written by the window procedure.
struct KeyState {
    uint32_t keyDown[256];  // 1 while the key is down
    // 1 once the key went down since the frame update last read the keys, so a
    // press and release between two slow frames still counts once.
    uint32_t pressedSinceUpdate[256];
};

struct AppWindow {
    KeyState* keys;
    platform::Window* hWnd;
    platform::DeviceContext* hDC;
    platform::GlContext* hGLRC;
    AppInfo* app;
    const char* title;
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t isFullscreen;
    int32_t isVisible;
    uint32_t lastTickCount;
};

// The message that asks the window procedure to rebuild the window in the
// other display mode.
constexpr uint32_t WM_TOGGLEFULLSCREEN = WM_USER + 1;

extern const char* const appWindowTitle;

// 1 while the program should go on after the current window closes.
extern int32_t appRunning;
// The display mode the next window is created in.
extern int32_t fullscreenWanted;

bool registerWindowClass(AppInfo& app);
bool createAppWindow(AppWindow& window);
bool destroyAppWindow(AppWindow& window);
bool changeScreenResolution(int width, int height, int bitsPerPixel);
void requestQuit(AppWindow& window);
void requestFullscreenToggle(AppWindow& window);

intptr_t windowProc(platform::Window* hWnd, uint32_t message, uintptr_t wParam, intptr_t lParam);
// The message table itself, for a window whose record is already known.
intptr_t handleWindowMessage(AppWindow& window, uint32_t message, uintptr_t wParam, intptr_t lParam);
