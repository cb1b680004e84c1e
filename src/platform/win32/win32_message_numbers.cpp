// platform/window_messages.h gives the application Windows' message, parameter
// and key numbers without <windows.h>, and this backend hands the system's
// messages through unchanged, so the two must agree. One list of names is
// expanded twice: before <windows.h> the names are the platform's constants,
// after it they are the system's macros.
#include <algorithm>
#include <cstdint>

#include "platform/window_messages.h"

#define WINDOW_MESSAGE_NAMES(NAME)                                                        \
    NAME(WM_CREATE) NAME(WM_SIZE) NAME(WM_CLOSE) NAME(WM_QUIT) NAME(WM_KEYDOWN)          \
    NAME(WM_KEYUP) NAME(WM_SYSKEYDOWN) NAME(WM_SYSKEYUP) NAME(WM_SYSCOMMAND) NAME(WM_USER) \
    NAME(SIZE_RESTORED) NAME(SIZE_MINIMIZED) NAME(SIZE_MAXIMIZED)                         \
    NAME(SC_SCREENSAVE) NAME(SC_MONITORPOWER)                                             \
    NAME(VK_RETURN) NAME(VK_SHIFT) NAME(VK_CONTROL) NAME(VK_MENU) NAME(VK_ESCAPE)         \
    NAME(VK_SPACE) NAME(VK_LEFT) NAME(VK_UP) NAME(VK_RIGHT) NAME(VK_DOWN) NAME(VK_F1)
#define AS_NUMBER(name) static_cast<uint64_t>(name),

namespace {
constexpr uint64_t platformNumbers[] = {WINDOW_MESSAGE_NAMES(AS_NUMBER)};
}

#include <windows.h>

namespace {
constexpr uint64_t systemNumbers[] = {WINDOW_MESSAGE_NAMES(AS_NUMBER)};
static_assert(std::ranges::equal(platformNumbers, systemNumbers),
              "platform/window_messages.h differs from <windows.h>");
}
