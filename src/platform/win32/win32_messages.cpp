#include "platform/win32/win32_handles.h"

namespace platform {

bool peekMessage(Message& message, Window* window)
{
    MSG taken{};
    if (!PeekMessageA(&taken, toHwnd(window), 0, 0, PM_REMOVE))
        return false;
    message = Message{toWindow(taken.hwnd), taken.message, taken.wParam, taken.lParam};
    return true;
}

intptr_t dispatchMessage(const Message& message)
{
    MSG dispatched{};
    dispatched.hwnd = toHwnd(message.window);
    dispatched.message = message.message;
    dispatched.wParam = message.wParam;
    dispatched.lParam = message.lParam;
    dispatched.time = static_cast<DWORD>(GetMessageTime());
    return DispatchMessageA(&dispatched);
}

void waitMessage()
{
    WaitMessage();
}

bool postMessage(Window* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return window && PostMessageA(toHwnd(window), message, wParam, lParam);
}

} // namespace platform
