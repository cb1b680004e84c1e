// Placeholder frame hooks: the shell's contract, until the full demo lands.
#include "app/app_window.h"
#include "app/frame_hooks.h"
#include "gpu/gl_extensions.h"
#include "gpu/log.h"

namespace {
AppWindow* activeWindow = nullptr;
KeyState* activeKeys = nullptr;
}

bool initialize(AppWindow* window, KeyState* keys)
{
    activeWindow = window;
    activeKeys = keys;
    Log::instance()->write("Initializing...");
    Log::instance()->write("Creating Render Targets...");
    GlExtensions::loadFramebufferObject();
    Log::instance()->write("Loading Shaders...");
    GlExtensions::loadShaderObjects();
    GlExtensions::loadMultitextureAndBuffers();
    glClearColor(0.0f, 0.8f, 0.9f, 0.5f);
    return true;
}

void update(uint32_t)
{
    if (activeKeys->keyDown[platform::VK_ESCAPE])
        requestQuit(*activeWindow);
    if (activeKeys->keyDown[platform::VK_F1])
        requestFullscreenToggle(*activeWindow);
}

void render()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void deinitialize()
{
    Log::instance()->write("DeInitializing...");
}
