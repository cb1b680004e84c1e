#pragma once

// What each backend provides underneath the replaceable services of
// platform.h (clocks, message boxes, GL entry points). Internal to the
// platform layer.

#include <cstdint>

#include "platform/platform.h"

namespace platform::system {

uint32_t tickCount();      // milliseconds since an arbitrary start, wrapping at 2^32
uint32_t multimediaTime(); // the same from the multimedia timer where there is one
MessageBoxResult messageBox(const char* text, const char* caption, MessageBoxStyle style);
void* glProcAddress(const char* name);

} // namespace platform::system
