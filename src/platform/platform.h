#pragma once

// The thin layer between the demo and the operating system: windows and their
// message queue, the OpenGL context, display modes, message boxes, cursor,
// keyboard polling and clocks. It speaks in the windowing system's classic
// terms (messages with two parameters, virtual-key codes, millisecond ticks),
// so the application code above reads the same on every platform. Nothing here
// exposes the types of the library underneath; this build implements it on SDL2.

#include <cstdint>

namespace platform {

struct Window;        // a top-level window
struct DeviceContext; // the drawing surface of a window
struct GlContext;     // an OpenGL rendering context

// Message numbers and parameters the application handles.
constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_USER = 0x0400;

constexpr uintptr_t SIZE_RESTORED = 0;
constexpr uintptr_t SIZE_MINIMIZED = 1;
constexpr uintptr_t SIZE_MAXIMIZED = 2;
constexpr uintptr_t SC_SCREENSAVE = 0xF140;
constexpr uintptr_t SC_MONITORPOWER = 0xF170;

// Virtual-key codes the demo reads; letters and digits are their ASCII capitals.
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_F1 = 0x70;

struct Message {
    Window* window = nullptr;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

using WindowProc = intptr_t (*)(Window* window, uint32_t message, uintptr_t wParam, intptr_t lParam);

enum class WindowStyle { Overlapped, Popup };

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct PixelFormat {
    bool doubleBuffer = true;
    int colorBits = 32;
    int alphaBits = 0;
    int depthBits = 16;
    int stencilBits = 1;
};

// Window classes: a name bound to a window procedure.
bool registerWindowClass(const char* className, WindowProc proc);
void unregisterWindowClass(const char* className);

// Grows a client rectangle to the outer rectangle of a framed window.
void adjustWindowRect(Rect& rect, WindowStyle style);

// Creates a hidden window of the given outer size at (x, y). The pixel format is
// needed this early because some systems fix it with the window. WM_CREATE is
// sent to the class's procedure before this returns, with the creation
// parameter as lParam. Null on failure.
Window* createWindow(const char* className, const char* title, WindowStyle style,
                     bool fullscreen, int x, int y, int width, int height,
                     const PixelFormat& format, void* createParam);
void destroyWindow(Window* window);
// Shows the window; the WM_SIZE of its client size is sent before this returns.
void showWindow(Window* window);
void setWindowUserData(Window* window, void* data);
void* getWindowUserData(Window* window);
void getClientSize(Window* window, int& width, int& height);
intptr_t defWindowProc(Window* window, uint32_t message, uintptr_t wParam, intptr_t lParam);

DeviceContext* getDC(Window* window);
void releaseDC(Window* window, DeviceContext* dc);
int choosePixelFormat(DeviceContext* dc, const PixelFormat& format);
bool setPixelFormat(DeviceContext* dc, int formatIndex, const PixelFormat& format);
// Always a compatibility profile: the demo draws with GL 1.x and extensions.
GlContext* createGlContext(DeviceContext* dc);
bool makeCurrent(DeviceContext* dc, GlContext* context); // null context releases
void deleteGlContext(GlContext* context);
bool swapBuffers(DeviceContext* dc);

// Display modes. Success means the screen now runs at exactly that size.
bool changeDisplayMode(int width, int height, int bitsPerPixel);
void restoreDisplayMode();

// The message queue. Posted messages come before input, as the classic queue
// orders them. peekMessage removes what it returns.
bool peekMessage(Message& message, Window* window);
intptr_t dispatchMessage(const Message& message);
void waitMessage();
bool postMessage(Window* window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Message boxes. Without an owner, blocking until answered. The question
// takes Return as Yes and Escape as No so it can be answered from the keyboard.
enum class MessageBoxStyle { ErrorOk, QuestionYesNo };
enum class MessageBoxResult { Ok, Yes, No };
MessageBoxResult messageBox(const char* text, const char* caption, MessageBoxStyle style);
// Replaces the on-screen boxes, for runs without a user (tests, benchmarks).
using MessageBoxHandler = MessageBoxResult (*)(const char* text, const char* caption, MessageBoxStyle style);
void setMessageBoxHandler(MessageBoxHandler handler);

// Mouse and keyboard, polled.
void showCursor(bool show);
bool getCursorPos(int& x, int& y);  // screen coordinates
void setCursorPos(int x, int y);
bool isKeyHeld(int virtualKey);      // held right now, whatever the queue holds

// Millisecond clocks that wrap at 2^32, as the classic tick counters do.
uint32_t tickCount();
uint32_t timeGetTime();
// Replaces both clocks, for runs with a fixed time step; nullptr restores them.
using ClockSource = uint32_t (*)();
void setClockSource(ClockSource source);

// Entry points of the current GL context; null when unknown.
void* getGlProcAddress(const char* name);
using ProcAddressSource = void* (*)(const char* name);
void setProcAddressSource(ProcAddressSource source);

} // namespace platform
