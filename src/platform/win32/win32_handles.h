#pragma once

// Internal to the Win32 backend: its opaque types are the system's own
// handles. The platform's declarations come first: <windows.h> turns the
// message and key names of platform/window_messages.h into its own macros,
// which would break those definitions if it came before them.

#include "platform/platform.h"

#include <windows.h>

namespace platform {

inline Window* toWindow(HWND hwnd) { return reinterpret_cast<Window*>(hwnd); }
inline HWND toHwnd(Window* window) { return reinterpret_cast<HWND>(window); }
inline DeviceContext* toDeviceContext(HDC hdc) { return reinterpret_cast<DeviceContext*>(hdc); }
inline HDC toHdc(DeviceContext* dc) { return reinterpret_cast<HDC>(dc); }

} // namespace platform
