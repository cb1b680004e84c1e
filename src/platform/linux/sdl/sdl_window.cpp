#include <cstdio>
#include <malloc.h>
#include <map>
#include <string>

#include "platform/linux/sdl/sdl_window_state.h"

namespace platform {

namespace {

std::map<std::string, WindowProc>& windowClasses()
{
    static std::map<std::string, WindowProc> classes;
    return classes;
}

// The fullscreen mode chosen by changeDisplayMode; SDL applies it when a
// fullscreen window appears and puts the desktop mode back when it goes.
SDL_DisplayMode pendingMode{};
bool modePending = false;

} // namespace

namespace sdl {

bool ensureVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "platform: no video: %s\n", SDL_GetError());
        return false;
    }
    // Without a reachable display SDL falls back to drawing offscreen, and the
    // demo would run unseen; only accept that when it was asked for.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (invisible && !SDL_getenv("SDL_VIDEODRIVER")) {
        std::fprintf(stderr, "platform: no display to open a window on\n");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

Window* windowFromId(Uint32 id)
{
    SDL_Window* sdlWindow = SDL_GetWindowFromID(id);
    return sdlWindow ? static_cast<Window*>(SDL_GetWindowData(sdlWindow, "platform")) : nullptr;
}

} // namespace sdl

bool registerWindowClass(const char* className, WindowProc proc)
{
    if (!className || !proc || !sdl::ensureVideo())
        return false;
    return windowClasses().emplace(className, proc).second;
}

void unregisterWindowClass(const char* className)
{
    if (className)
        windowClasses().erase(className);
}

void adjustWindowRect(Rect&, WindowStyle)
{
    // X11 window managers frame a window outside the size it asks for, so the
    // requested size already is the client size: nothing to grow.
}

Window* createWindow(const char* className, const char* title, WindowStyle style,
                     bool fullscreen, int x, int y, int width, int height,
                     const PixelFormat& format, void* createParam)
{
    auto found = windowClasses().find(className ? className : "");
    if (found == windowClasses().end() || width <= 0 || height <= 0 || !sdl::ensureVideo())
        return nullptr;

    // No profile and no version asked: SDL then makes a legacy context, which
    // is whatever compatibility version the driver has. Asking for one by
    // number fails outright on a driver that offers less.
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format.doubleBuffer ? 1 : 0);
    const int channelBits = format.colorBits >= 24 ? 8 : 5;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.alphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.stencilBits);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    flags |= style == WindowStyle::Popup ? SDL_WINDOW_BORDERLESS : SDL_WINDOW_RESIZABLE;
    if (fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN;
    SDL_Window* sdlWindow = SDL_CreateWindow(title ? title : "", x, y, width, height, flags);
    if (!sdlWindow) {
        std::fprintf(stderr, "platform: window not created: %s\n", SDL_GetError());
        return nullptr;
    }
    if (fullscreen && modePending && SDL_SetWindowDisplayMode(sdlWindow, &pendingMode) != 0) {
        SDL_DestroyWindow(sdlWindow);
        return nullptr;
    }

    auto* window = new Window{sdlWindow, found->second, nullptr};
    SDL_SetWindowData(sdlWindow, "platform", window);
    SDL_DisableScreenSaver();
    window->proc(window, WM_CREATE, 0, reinterpret_cast<intptr_t>(createParam));
    return window;
}

void destroyWindow(Window* window)
{
    if (!window)
        return;
    sdl::forgetPostedMessages(window);
    SDL_DestroyWindow(window->sdl);
    delete window;
    // A window cycle frees hundreds of megabytes of start-up buffers, much of
    // it inside the heap, where glibc would keep it resident and the next
    // cycle would scatter its own buffers around it: hand it back now.
    malloc_trim(0);
}

void showWindow(Window* window)
{
    if (!window)
        return;
    SDL_ShowWindow(window->sdl);
    int width = 0, height = 0;
    getClientSize(window, width, height);
    window->proc(window, WM_SIZE, SIZE_RESTORED,
                 static_cast<intptr_t>((width & 0xFFFF) | ((height & 0xFFFF) << 16)));
}

void setWindowUserData(Window* window, void* data)
{
    if (window)
        window->userData = data;
}

void* getWindowUserData(Window* window)
{
    return window ? window->userData : nullptr;
}

void getClientSize(Window* window, int& width, int& height)
{
    width = height = 0;
    if (window)
        SDL_GL_GetDrawableSize(window->sdl, &width, &height);
}

intptr_t defWindowProc(Window*, uint32_t, uintptr_t, intptr_t)
{
    return 0;
}

DeviceContext* getDC(Window* window)
{
    return window ? new DeviceContext{window} : nullptr;
}

void releaseDC(Window*, DeviceContext* dc)
{
    delete dc;
}

int choosePixelFormat(DeviceContext* dc, const PixelFormat& format)
{
    // The format was fixed when the window was made; this checks it is a GL one.
    if (!dc || !(SDL_GetWindowFlags(dc->window->sdl) & SDL_WINDOW_OPENGL))
        return 0;
    return format.colorBits > 0 ? 1 : 0;
}

bool setPixelFormat(DeviceContext* dc, int formatIndex, const PixelFormat&)
{
    return dc && formatIndex == 1;
}

GlContext* createGlContext(DeviceContext* dc)
{
    if (!dc)
        return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(dc->window->sdl);
    if (!context) {
        std::fprintf(stderr, "platform: no GL context: %s\n", SDL_GetError());
        return nullptr;
    }
    return new GlContext{context};
}

bool makeCurrent(DeviceContext* dc, GlContext* context)
{
    if (!dc)
        return false;
    return SDL_GL_MakeCurrent(dc->window->sdl, context ? context->sdl : nullptr) == 0;
}

void deleteGlContext(GlContext* context)
{
    if (!context)
        return;
    SDL_GL_DeleteContext(context->sdl);
    delete context;
}

bool swapBuffers(DeviceContext* dc)
{
    if (!dc)
        return false;
    SDL_GL_SwapWindow(dc->window->sdl);
    return true;
}

bool changeDisplayMode(int width, int height, int bitsPerPixel)
{
    modePending = false;
    if (!sdl::ensureVideo())
        return false;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, i, &mode) != 0)
            continue;
        // A 32-bit mode is reported as 24 bits of colour.
        const int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
        if (mode.w == width && mode.h == height && bits >= (bitsPerPixel >= 32 ? 24 : bitsPerPixel)) {
            pendingMode = mode;
            modePending = true;
            return true;
        }
    }
    return false;
}

void restoreDisplayMode()
{
    // SDL returns to the desktop mode as soon as the fullscreen window is gone.
    modePending = false;
}

} // namespace platform
