#pragma once

// An OpenGL context that nobody sees, for automated runs and tests: EGL on
// Mesa's surfaceless platform drawing into a pbuffer, or a hidden window's
// context on Windows. Creating one makes it current and routes
// getGlProcAddress to it.

namespace platform {

struct DeviceContext;
struct HeadlessContext;

// Null on failure, with the reason on stderr.
HeadlessContext* createHeadlessContext(int width, int height);
void destroyHeadlessContext(HeadlessContext* context);
bool swapHeadlessBuffers(HeadlessContext* context);
// The drawing surface, for what takes a window's (fonts).
DeviceContext* headlessDeviceContext(HeadlessContext* context);

} // namespace platform
