#pragma once

#include "gpu/font_face_lookup.h"
#include "gpu/gl_headers.h"

// The overlay's text: the glyphs of a bold 14-pixel system font turned into
// one display list each (codes 32 to 127), drawn with a single glCallLists per
// print at the current raster position in the current raster colour.
class BitmapFont {
public:
    static constexpr int firstCode = 32;
    static constexpr int glyphCount = 96;  // codes 32..127
    static constexpr int cellHeight = 14;  // ascent plus descent, in pixels
    static constexpr int maxTextLength = 255;

    // Builds the lists from the bold cut of `faceName` (or fontconfig's stand-in
    // for it) and leaves the current colour black. Without any usable font the
    // lists exist but are empty, so printing draws nothing.
    void create(const char* faceName);
    // The same from a font file chosen by the caller.
    void createFromFace(const FontFaceFile& face);

    // printf-style; text beyond 255 characters is cut off. Bytes outside
    // 32..127 have no glyph and are skipped (no pen movement, no new line).
    // The list base is the same afterwards; raster position and colour are the caller's.
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));

    void release();

    GLuint listBase() const { return listBase_; }

private:
    GLuint listBase_ = 0;  // list listBase_ + i draws code firstCode + i
};
