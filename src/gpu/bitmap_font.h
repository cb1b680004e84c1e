#pragma once

#include "gpu/gl_headers.h"
#include "platform/platform.h"

// The overlay's text: the glyphs of a bold 14-unit system font turned into
// one display list each (codes 32 to 127), drawn with a single glCallLists per
// print at the current raster position in the current raster colour.
class BitmapFont {
public:
    static constexpr int firstCode = 32;
    static constexpr int glyphCount = 96;  // codes 32..127
    static constexpr int cellHeight = 14;  // ascent plus descent
    static constexpr int maxTextLength = 255;

    virtual ~BitmapFont() = default;

    // Builds the lists from the bold cut of `faceName` (or the system's stand-in
    // for it) on the device context and leaves the current colour black.
    // Without any usable font the lists exist but are empty, so printing draws nothing.
    void create(platform::DeviceContext* dc, const char* faceName);

    // printf-style; text beyond 255 characters is cut off. Bytes outside
    // 32..127 have no glyph and are skipped (no pen movement, no new line).
    // The list base is the same afterwards; raster position and colour are the caller's.
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));

    void release();

    GLuint listBase() const { return listBase_; }

private:
    GLuint listBase_ = 0;  // list listBase_ + i draws code firstCode + i
};
