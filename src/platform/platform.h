#pragma once

// The thin layer between the demo and the operating system: windows and their
// message queue, the OpenGL context, display modes, message boxes, cursor,
// keyboard polling and clocks. It speaks in the windowing system's classic
// terms (messages with two parameters, virtual-key codes, millisecond ticks),
// so the application code above reads the same on every platform. Nothing here
// exposes the types of the libraries underneath. Each system has one backend
// folder: platform/win32 on Windows; platform/linux elsewhere, with SDL2
// windows, an EGL headless context, FreeType fonts and POSIX files and clocks.
// A backend also holds the program's entry point, which hands the command line
// to runApplication (app/entry.h).

#include <cstddef>
#include <cstdint>

#include "platform/window_messages.h"

namespace platform {

struct Window;        // a top-level window
struct DeviceContext; // the drawing surface of a window
struct GlContext;     // an OpenGL rendering context

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

// Fonts for bitmap text, used as a GDI font is: created, selected into a
// device context, turned into display lists, deleted.
struct Font;
// The bold cut of the named face, `height` units from the top of its ascent to
// the bottom of its descent. A face that is not installed is stood in for by
// another. Null only when no font at all can be had.
Font* createBoldFont(int height, const char* faceName);
// Returns the font selected before (null if none).
Font* selectFont(DeviceContext* dc, Font* font);
void deleteFont(Font* font);
// Compiles `count` display lists from `listBase` on, one per character code
// from `first` on, from the font selected into `dc`: each draws its glyph as a
// bitmap at the current raster position and advances the raster position by
// the glyph's width (a blank glyph too). Needs a current GL context.
bool useFontBitmaps(DeviceContext* dc, int first, int count, unsigned listBase);

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
// The "Error" box every failure the user is told of shows: an OK button and
// the exclamation icon.
inline void showError(const char* text) { messageBox(text, "Error", MessageBoxStyle::ErrorOk); }
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

// The process's resident memory in bytes (0 when the system does not say).
uint64_t residentBytes();
// For the life of this object the heap serves a burst of large buffers: what
// is freed stays in the process for the next buffer instead of going back to
// the system, and the first `bytes` are made present at once rather than page
// by page on first touch. Afterwards the heap behaves as usual again.
class AllocationBurst {
public:
    explicit AllocationBurst(size_t bytes);
    ~AllocationBurst();
    AllocationBurst(const AllocationBurst&) = delete;
    AllocationBurst& operator=(const AllocationBurst&) = delete;
};

// Entry points of the current GL context; null when unknown.
void* getGlProcAddress(const char* name);
// The current context's extension names, separated by blanks.
const char* getGlExtensions();
// Both of these leave out what the environment variable VERDAL_HIDE_GL names
// (extension and entry-point names, separated by blanks), so a run can show
// what the demo does on a driver that lacks them.
using ProcAddressSource = void* (*)(const char* name);
void setProcAddressSource(ProcAddressSource source);

} // namespace platform
