#pragma once

// Internal to the Win32 implementation of the platform layer: its opaque
// types are the system's own handles.

#include <windows.h>

#include "platform/platform.h"

namespace platform {

inline Window* toWindow(HWND hwnd) { return reinterpret_cast<Window*>(hwnd); }
inline HWND toHwnd(Window* window) { return reinterpret_cast<HWND>(window); }
inline DeviceContext* toDeviceContext(HDC hdc) { return reinterpret_cast<DeviceContext*>(hdc); }
inline HDC toHdc(DeviceContext* dc) { return reinterpret_cast<HDC>(dc); }

} // namespace platform
