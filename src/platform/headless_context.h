#pragma once

// An OpenGL context with no window and no display (EGL on Mesa's surfaceless
// platform, drawing into a pbuffer), for automated runs and tests. Creating one
// makes it current and routes getGlProcAddress to it.

namespace platform {

struct HeadlessContext;

// Null on failure, with the reason on stderr.
HeadlessContext* createHeadlessContext(int width, int height);
void destroyHeadlessContext(HeadlessContext* context);
bool swapHeadlessBuffers(HeadlessContext* context);

} // namespace platform
