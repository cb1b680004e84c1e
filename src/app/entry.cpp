#include "app/entry.h"

#include <cstring>

#include "app/app_window.h"
#include "app/frame_hooks.h"
#include "camera/mouse_screen.h"

int32_t screenWidth = 1024;
int32_t screenHeight = 768;

namespace {

constexpr const char* className = "KXOpenGLDemo";

void runFrame(AppWindow& window)
{
    const uint32_t now = platform::tickCount();
    update(now - window.lastTickCount);  // unsigned: safe across the 49-day wrap
    window.lastTickCount = now;
    render();
    platform::swapBuffers(window.hDC);
}

// Pumps messages and draws frames until the window's WM_QUIT arrives.
void runMessageLoop(AppWindow& window)
{
    for (;;) {
        platform::Message message;
        if (platform::peekMessage(message, window.hWnd)) {
            if (message.message == WM_QUIT)
                return;
            platform::dispatchMessage(message);
        } else if (window.isVisible == 1) {
            runFrame(window);
        } else {
            platform::waitMessage();
        }
    }
}

} // namespace

void applyResolutionSwitch(const char* commandLine)
{
    static const struct {
        const char* text;
        int32_t width, height;
    } switches[] = {{"-1024x768", 1024, 768}, {"-800x600", 800, 600}, {"-1600x1200", 1600, 1200}};
    if (!commandLine)
        return;
    for (const auto& entry : switches) {
        if (std::strcmp(commandLine, entry.text) == 0) {
            screenWidth = mouseScreenWidth = entry.width;
            screenHeight = mouseScreenHeight = entry.height;
            return;
        }
    }
}

int runApplication(const char* commandLine)
{
    applyResolutionSwitch(commandLine);

    static AppInfo app;
    static KeyState keys;
    static AppWindow window;
    app = AppInfo{className};
    keys = KeyState{};
    window = AppWindow{};
    window.keys = &keys;
    window.app = &app;
    window.width = screenWidth;
    window.height = screenHeight;
    window.title = appWindowTitle;
    window.bitsPerPixel = 32;
    window.isFullscreen = 1;

    if (platform::messageBox("Would you like to run in fullscreen mode?", "Start fullscreen?",
                             platform::MessageBoxStyle::QuestionYesNo)
        == platform::MessageBoxResult::No)
        window.isFullscreen = 0;

    if (!registerWindowClass(app)) {
        platform::showError("Error Registering Window Class!");
        return -1;
    }

    appRunning = 1;
    fullscreenWanted = window.isFullscreen;
    for (;;) {
        window.isFullscreen = fullscreenWanted;
        if (!createAppWindow(window)) {
            platform::showError("Error Creating OpenGL Window");
            appRunning = 0;
            platform::unregisterWindowClass(app.className);
            return 1;  // a window that never opened is a failed run
        }
        if (initialize(&window, &keys))
            runMessageLoop(window);
        else
            requestQuit(window);
        deinitialize();
        destroyAppWindow(window);
        if (appRunning == 0) {
            platform::unregisterWindowClass(app.className);
            return 0;
        }
    }
}
