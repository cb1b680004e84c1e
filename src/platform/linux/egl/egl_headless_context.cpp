#include "platform/headless_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <cstdio>

#include "platform/linux/device_context.h"

namespace platform {

struct HeadlessContext {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;
    DeviceContext dc;
};

namespace {

void* eglLookup(const char* name)
{
    return reinterpret_cast<void*>(eglGetProcAddress(name));
}

EGLDisplay openDisplay()
{
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay) {
        EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display != EGL_NO_DISPLAY)
            return display;
    }
    return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

} // namespace

HeadlessContext* createHeadlessContext(int width, int height)
{
    EGLDisplay display = openDisplay();
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        std::fprintf(stderr, "headless GL: no EGL display\n");
        return nullptr;
    }
    const EGLint attributes[] = {
        EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
        EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
        EGL_DEPTH_SIZE, 16, EGL_STENCIL_SIZE, 1,
        EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
        EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, attributes, &config, 1, &count) || count < 1
        || !eglBindAPI(EGL_OPENGL_API)) {
        std::fprintf(stderr, "headless GL: no desktop OpenGL configuration\n");
        eglTerminate(display);
        return nullptr;
    }
    // No profile attributes: Mesa then gives a compatibility context.
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = context != EGL_NO_CONTEXT
        ? eglCreatePbufferSurface(display, config, surfaceAttributes) : EGL_NO_SURFACE;
    if (surface == EGL_NO_SURFACE || !eglMakeCurrent(display, surface, surface, context)) {
        std::fprintf(stderr, "headless GL: cannot create a %dx%d context\n", width, height);
        if (surface != EGL_NO_SURFACE)
            eglDestroySurface(display, surface);
        if (context != EGL_NO_CONTEXT)
            eglDestroyContext(display, context);
        eglTerminate(display);
        return nullptr;
    }
    setProcAddressSource(eglLookup);
    return new HeadlessContext{display, context, surface, {}};
}

void destroyHeadlessContext(HeadlessContext* headless)
{
    if (!headless)
        return;
    eglMakeCurrent(headless->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroySurface(headless->display, headless->surface);
    eglDestroyContext(headless->display, headless->context);
    eglTerminate(headless->display);
    setProcAddressSource(nullptr);
    delete headless;
}

bool swapHeadlessBuffers(HeadlessContext* headless)
{
    return headless && eglSwapBuffers(headless->display, headless->surface);
}

DeviceContext* headlessDeviceContext(HeadlessContext* headless)
{
    return headless ? &headless->dc : nullptr;
}

} // namespace platform
