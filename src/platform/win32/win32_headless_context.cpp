// A hidden window's WGL context: Windows has no context without a window.
#include <cstdio>

#include "platform/headless_context.h"
#include "platform/win32/win32_handles.h"

namespace platform {

struct HeadlessContext {
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
};

namespace {

constexpr const char* className = "VerdalHeadless";

bool registerHiddenClass()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void release(HeadlessContext& headless)
{
    if (headless.context) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(headless.context);
    }
    if (headless.dc)
        ReleaseDC(headless.window, headless.dc);
    if (headless.window)
        DestroyWindow(headless.window);
    headless = HeadlessContext{};
}

} // namespace

HeadlessContext* createHeadlessContext(int width, int height)
{
    HeadlessContext headless;
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    if (registerHiddenClass())
        headless.window = CreateWindowExA(0, className, "verdal headless", WS_OVERLAPPEDWINDOW, 0, 0,
                                          rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                          GetModuleHandleA(nullptr), nullptr);
    headless.dc = headless.window ? GetDC(headless.window) : nullptr;
    PixelFormat format;
    format.colorBits = 32;
    const int index = headless.dc ? choosePixelFormat(toDeviceContext(headless.dc), format) : 0;
    if (index != 0 && setPixelFormat(toDeviceContext(headless.dc), index, format))
        headless.context = wglCreateContext(headless.dc);
    if (!headless.context || !wglMakeCurrent(headless.dc, headless.context)) {
        std::fprintf(stderr, "headless GL: cannot create a %dx%d context on a hidden window\n", width, height);
        release(headless);
        return nullptr;
    }
    return new HeadlessContext(headless);
}

void destroyHeadlessContext(HeadlessContext* headless)
{
    if (!headless)
        return;
    release(*headless);
    delete headless;
}

bool swapHeadlessBuffers(HeadlessContext* headless)
{
    return headless && SwapBuffers(headless->dc);
}

DeviceContext* headlessDeviceContext(HeadlessContext* headless)
{
    return headless ? toDeviceContext(headless->dc) : nullptr;
}

} // namespace platform
