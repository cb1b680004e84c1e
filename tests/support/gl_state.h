#pragma once

// Reading back what GL holds, for the tests against a real context.
#include <vector>

#include "gpu/gl_headers.h"

namespace testing_support {

inline GLint glInteger(GLenum what)
{
    GLint value = -1;
    glGetIntegerv(what, &value);
    return value;
}

// RGBA bytes of the framebuffer's pixels from (x, y), rows bottom first.
inline std::vector<unsigned char> readRgba(int x, int y, int width, int height)
{
    std::vector<unsigned char> pixels(size_t(width) * size_t(height) * 4);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

} // namespace testing_support
