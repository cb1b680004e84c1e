#include <deque>

#include "platform/linux/sdl/sdl_key_codes.h"
#include "platform/linux/sdl/sdl_window_state.h"

namespace platform {

namespace {

std::deque<Message>& postedMessages()
{
    static std::deque<Message> queue;
    return queue;
}

intptr_t packSize(int width, int height)
{
    return static_cast<intptr_t>((width & 0xFFFF) | ((height & 0xFFFF) << 16));
}

// Turns one SDL event into the message a classic window would receive.
// `peeked` is the window whose queue is read, for events of no window.
bool translate(const SDL_Event& event, Message& message, Window* peeked)
{
    switch (event.type) {
    case SDL_QUIT:
        // SIGINT or SIGTERM: close the window as its close box would, so the
        // cycle is torn down and the program ends normally.
        if (!peeked)
            return false;
        message = {peeked, WM_CLOSE, 0, 0};
        return true;
    case SDL_WINDOWEVENT: {
        Window* window = sdl::windowFromId(event.window.windowID);
        if (!window)
            return false;
        message.window = window;
        int width = 0, height = 0;
        switch (event.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
            getClientSize(window, width, height);
            message = {window, WM_SIZE, SIZE_RESTORED, packSize(width, height)};
            return true;
        case SDL_WINDOWEVENT_MAXIMIZED:
            getClientSize(window, width, height);
            message = {window, WM_SIZE, SIZE_MAXIMIZED, packSize(width, height)};
            return true;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:  // iconified where no window manager runs
            message = {window, WM_SIZE, SIZE_MINIMIZED, 0};
            return true;
        case SDL_WINDOWEVENT_CLOSE:
            message = {window, WM_CLOSE, 0, 0};
            return true;
        default:
            return false;
        }
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        Window* window = sdl::windowFromId(event.key.windowID);
        const int virtualKey = sdl::virtualKeyFromKeysym(event.key.keysym);
        if (!window || virtualKey == 0)
            return false;
        const bool down = event.type == SDL_KEYDOWN;
        const bool system = sdl::isSystemKey(event.key.keysym);
        uint32_t number = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
        message = {window, number, static_cast<uintptr_t>(virtualKey), 0};
        return true;
    }
    default:
        return false;
    }
}

} // namespace

namespace sdl {
void forgetPostedMessages(Window* window)
{
    auto& queue = postedMessages();
    std::erase_if(queue, [window](const Message& m) { return m.window == window; });
}
} // namespace sdl

bool peekMessage(Message& message, Window* window)
{
    auto& queue = postedMessages();
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!window || it->window == window) {
            message = *it;
            queue.erase(it);
            return true;
        }
    }
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        Message translated;
        if (translate(event, translated, window) && (!window || translated.window == window)) {
            message = translated;
            return true;
        }
    }
    return false;
}

intptr_t dispatchMessage(const Message& message)
{
    if (!message.window || !message.window->proc)
        return 0;
    return message.window->proc(message.window, message.message, message.wParam, message.lParam);
}

void waitMessage()
{
    if (!postedMessages().empty() || !SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_WaitEvent(nullptr);
}

bool postMessage(Window* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (!window)
        return false;
    postedMessages().push_back({window, message, wParam, lParam});
    return true;
}

} // namespace platform
