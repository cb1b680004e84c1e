#include "platform/win32/win32_handles.h"

namespace platform {

void showCursor(bool show)
{
    ShowCursor(show ? TRUE : FALSE);
}

bool getCursorPos(int& x, int& y)
{
    POINT point{};
    const bool ok = GetCursorPos(&point);
    x = ok ? point.x : 0;
    y = ok ? point.y : 0;
    return ok;
}

void setCursorPos(int x, int y)
{
    SetCursorPos(x, y);
}

bool isKeyHeld(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x80) != 0;
}

} // namespace platform
