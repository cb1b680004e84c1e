#include "app/app_window.h"

#include <cstring>

#include "app/projection.h"

const char* const appWindowTitle = "The Verdal OpenGL Demo - [verdal.example.org]";

int32_t appRunning = 0;
int32_t fullscreenWanted = 0;

namespace {

int lowWord(intptr_t value) { return static_cast<int>(value & 0xFFFF); }
int highWord(intptr_t value) { return static_cast<int>((value >> 16) & 0xFFFF); }

// Releases whatever of the GL context, device context and window the record
// holds, in that order, so it serves a window made in full and one whose
// creation stopped half-way alike.
void releaseWindowAndContexts(AppWindow& window)
{
    if (window.hGLRC) {
        platform::makeCurrent(window.hDC, nullptr);
        platform::deleteGlContext(window.hGLRC);
        window.hGLRC = nullptr;
    }
    if (window.hDC) {
        platform::releaseDC(window.hWnd, window.hDC);
        window.hDC = nullptr;
    }
    if (window.hWnd) {
        platform::destroyWindow(window.hWnd);
        window.hWnd = nullptr;
    }
}

// Chooses and sets the pixel format a GL context needs; false without a device context.
bool setGlPixelFormat(platform::DeviceContext* dc, const platform::PixelFormat& format)
{
    const int index = dc ? platform::choosePixelFormat(dc, format) : 0;
    return index != 0 && platform::setPixelFormat(dc, index, format);
}

} // namespace

bool registerWindowClass(AppInfo& app)
{
    if (!platform::registerWindowClass(app.className, windowProc)) {
        platform::showError("RegisterClassEx Failed!");
        return false;
    }
    return true;
}

bool changeScreenResolution(int width, int height, int bitsPerPixel)
{
    return platform::changeDisplayMode(width, height, bitsPerPixel);
}

bool createAppWindow(AppWindow& window)
{
    platform::PixelFormat format;
    format.doubleBuffer = true;
    format.colorBits = window.bitsPerPixel;
    format.alphaBits = 0;
    format.depthBits = 16;
    format.stencilBits = 1;

    platform::Rect rect{0, 0, window.width, window.height};
    platform::WindowStyle style = platform::WindowStyle::Overlapped;

    if (window.isFullscreen == 1) {
        if (changeScreenResolution(window.width, window.height, window.bitsPerPixel)) {
            platform::showCursor(false);
            style = platform::WindowStyle::Popup;
        } else {
            platform::showError("Mode Switch Failed.\nRunning In Windowed Mode.");
            window.isFullscreen = 0;
        }
    } else {
        platform::adjustWindowRect(rect, style);
    }

    window.hWnd = platform::createWindow(window.app->className, window.title, style,
                                         window.isFullscreen == 1, 0, 0,
                                         rect.right - rect.left, rect.bottom - rect.top,
                                         format, &window);
    if (!window.hWnd)
        return false;

    window.hDC = platform::getDC(window.hWnd);
    window.hGLRC = setGlPixelFormat(window.hDC, format) ? platform::createGlContext(window.hDC) : nullptr;
    if (!window.hGLRC || !platform::makeCurrent(window.hDC, window.hGLRC)) {
        releaseWindowAndContexts(window);
        return false;
    }

    platform::showWindow(window.hWnd);
    window.isVisible = 1;
    reshapePerspective(window.width, window.height);
    std::memset(window.keys, 0, sizeof *window.keys);
    window.lastTickCount = platform::tickCount();
    return true;
}

bool destroyAppWindow(AppWindow& window)
{
    releaseWindowAndContexts(window);
    if (window.isFullscreen) {
        platform::restoreDisplayMode();
        platform::showCursor(true);
    }
    return true;
}

void requestQuit(AppWindow& window)
{
    platform::postMessage(window.hWnd, WM_QUIT, 0, 0);
    appRunning = 0;
}

void requestFullscreenToggle(AppWindow& window)
{
    platform::postMessage(window.hWnd, WM_TOGGLEFULLSCREEN, 0, 0);
}

intptr_t handleWindowMessage(AppWindow& window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    using namespace platform;
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
            window.isVisible = 1;
            reshapePerspective(lowWord(lParam), highWord(lParam));
            return 0;
        }
        if (wParam == SIZE_MINIMIZED) {
            window.isVisible = 0;
            return 0;
        }
        break;
    case WM_CLOSE:
        requestQuit(window);
        return 0;
    case WM_KEYDOWN:
        if (wParam <= 255) {
            window.keys->keyDown[wParam] = 1;
            window.keys->pressedSinceUpdate[wParam] = 1;
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam <= 255) {
            window.keys->keyDown[wParam] = 0;
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER)
            return 0;
        break;
    case WM_TOGGLEFULLSCREEN:
        fullscreenWanted = fullscreenWanted == 1 ? 0 : 1;
        postMessage(window.hWnd, WM_QUIT, 0, 0);
        break;
    default:
        break;
    }
    return defWindowProc(window.hWnd, message, wParam, lParam);
}

intptr_t windowProc(platform::Window* hWnd, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == WM_CREATE) {
        platform::setWindowUserData(hWnd, reinterpret_cast<void*>(lParam));
        return 0;
    }
    auto* window = static_cast<AppWindow*>(platform::getWindowUserData(hWnd));
    if (!window)
        return platform::defWindowProc(hWnd, message, wParam, lParam);
    return handleWindowMessage(*window, message, wParam, lParam);
}
