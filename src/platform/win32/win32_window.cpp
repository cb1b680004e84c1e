// Windows, their class and procedure, device contexts, pixel formats, WGL
// contexts and display modes, on the Win32 calls themselves.
#include <map>
#include <string>

#include "platform/win32/win32_handles.h"

namespace platform {

namespace {

// The application's procedure of each registered class. The class itself is
// registered with windowProcOfClass, which hands every message on to it.
std::map<std::string, WindowProc>& classProcedures()
{
    static std::map<std::string, WindowProc> procedures;
    return procedures;
}

WindowProc procedureOf(HWND hwnd)
{
    char name[256] = {};
    if (GetClassNameA(hwnd, name, sizeof name) == 0)
        return nullptr;
    auto found = classProcedures().find(name);
    return found == classProcedures().end() ? nullptr : found->second;
}

LRESULT CALLBACK windowProcOfClass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowProc proc = procedureOf(hwnd);
    if (!proc)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    // The application sees the creation parameter itself, not the whole record.
    if (message == WM_CREATE)
        lParam = reinterpret_cast<LPARAM>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    return proc(toWindow(hwnd), message, wParam, lParam);
}

PIXELFORMATDESCRIPTOR describe(const PixelFormat& format)
{
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (format.doubleBuffer ? PFD_DOUBLEBUFFER : 0);
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = static_cast<BYTE>(format.colorBits);
    descriptor.cAlphaBits = static_cast<BYTE>(format.alphaBits);
    descriptor.cDepthBits = static_cast<BYTE>(format.depthBits);
    descriptor.cStencilBits = static_cast<BYTE>(format.stencilBits);
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

DWORD styleOf(WindowStyle style) { return style == WindowStyle::Popup ? WS_POPUP : WS_OVERLAPPEDWINDOW; }

} // namespace

bool registerWindowClass(const char* className, WindowProc proc)
{
    if (!className || !proc || !classProcedures().emplace(className, proc).second)
        return false;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = windowProcOfClass;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(12));
    windowClass.lpszClassName = className;
    if (RegisterClassExA(&windowClass) == 0) {
        classProcedures().erase(className);
        return false;
    }
    return true;
}

void unregisterWindowClass(const char* className)
{
    if (!className)
        return;
    UnregisterClassA(className, GetModuleHandleA(nullptr));
    classProcedures().erase(className);
}

void adjustWindowRect(Rect& rect, WindowStyle style)
{
    RECT adjusted{rect.left, rect.top, rect.right, rect.bottom};
    if (AdjustWindowRectEx(&adjusted, styleOf(style), FALSE, WS_EX_APPWINDOW))
        rect = Rect{adjusted.left, adjusted.top, adjusted.right, adjusted.bottom};
}

Window* createWindow(const char* className, const char* title, WindowStyle style, bool fullscreen,
                     int x, int y, int width, int height, const PixelFormat&, void* createParam)
{
    const DWORD extendedStyle = WS_EX_APPWINDOW | (fullscreen ? WS_EX_TOPMOST : 0);
    HWND hwnd = CreateWindowExA(extendedStyle, className, title, styleOf(style), x, y, width, height, nullptr,
                                nullptr, GetModuleHandleA(nullptr), createParam);
    return toWindow(hwnd);
}

void destroyWindow(Window* window)
{
    if (window)
        DestroyWindow(toHwnd(window));
}

void showWindow(Window* window)
{
    if (window)
        ShowWindow(toHwnd(window), SW_NORMAL);
}

void setWindowUserData(Window* window, void* data)
{
    if (window)
        SetWindowLongPtrA(toHwnd(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

void* getWindowUserData(Window* window)
{
    return window ? reinterpret_cast<void*>(GetWindowLongPtrA(toHwnd(window), GWLP_USERDATA)) : nullptr;
}

void getClientSize(Window* window, int& width, int& height)
{
    RECT client{};
    if (!window || !GetClientRect(toHwnd(window), &client))
        client = RECT{};
    width = client.right - client.left;
    height = client.bottom - client.top;
}

intptr_t defWindowProc(Window* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return DefWindowProcA(toHwnd(window), message, wParam, lParam);
}

DeviceContext* getDC(Window* window)
{
    return window ? toDeviceContext(GetDC(toHwnd(window))) : nullptr;
}

void releaseDC(Window* window, DeviceContext* dc)
{
    if (window && dc)
        ReleaseDC(toHwnd(window), toHdc(dc));
}

int choosePixelFormat(DeviceContext* dc, const PixelFormat& format)
{
    const PIXELFORMATDESCRIPTOR descriptor = describe(format);
    return dc ? ChoosePixelFormat(toHdc(dc), &descriptor) : 0;
}

bool setPixelFormat(DeviceContext* dc, int formatIndex, const PixelFormat& format)
{
    const PIXELFORMATDESCRIPTOR descriptor = describe(format);
    return dc && SetPixelFormat(toHdc(dc), formatIndex, &descriptor);
}

GlContext* createGlContext(DeviceContext* dc)
{
    return dc ? reinterpret_cast<GlContext*>(wglCreateContext(toHdc(dc))) : nullptr;
}

bool makeCurrent(DeviceContext* dc, GlContext* context)
{
    return dc && wglMakeCurrent(toHdc(dc), reinterpret_cast<HGLRC>(context));
}

void deleteGlContext(GlContext* context)
{
    if (context)
        wglDeleteContext(reinterpret_cast<HGLRC>(context));
}

bool swapBuffers(DeviceContext* dc)
{
    return dc && SwapBuffers(toHdc(dc));
}

bool changeDisplayMode(int width, int height, int bitsPerPixel)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void restoreDisplayMode()
{
    ChangeDisplaySettingsA(nullptr, 0);
}

} // namespace platform
