#include "gpu/bitmap_font.h"

#include <cstdarg>
#include <cstdio>

#include "gpu/font_rasterizer.h"

void BitmapFont::create(const char* faceName)
{
    FontFaceFile face;
    if (!findBoldFontFace(faceName, face))
        face = FontFaceFile{};  // no font at all: empty lists
    createFromFace(face);
}

void BitmapFont::createFromFace(const FontFaceFile& face)
{
    listBase_ = glGenLists(glyphCount);
    glColor3f(0.0f, 0.0f, 0.0f);
    if (listBase_ == 0)
        return;

    FontRasterizer rasterizer;
    const bool haveFont = !face.path.empty() && rasterizer.open(face, cellHeight);

    // glBitmap copies its pixels into the list under the current unpack state,
    // so pin that state to our tightly packed rows for the duration.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (int i = 0; i < glyphCount; ++i) {
        GlyphBitmap glyph;
        glNewList(listBase_ + static_cast<GLuint>(i), GL_COMPILE);
        if (haveFont && rasterizer.render(static_cast<unsigned long>(firstCode + i), glyph)) {
            // A blank glyph (the space) becomes one unset pixel: Mesa compiles a
            // zero-sized glBitmap into a list that no longer moves the pen.
            static const GLubyte noInk = 0;
            const bool blank = glyph.bits.empty();
            glBitmap(blank ? 1 : glyph.width, blank ? 1 : glyph.height, static_cast<GLfloat>(glyph.originX),
                     static_cast<GLfloat>(glyph.originY), static_cast<GLfloat>(glyph.advance), 0.0f,
                     blank ? &noInk : glyph.bits.data());
        }
        glEndList();
    }
    glPopClientAttrib();
}

void BitmapFont::print(const char* format, ...)
{
    if (listBase_ == 0 || !format)
        return;
    char text[maxTextLength + 1];
    va_list args;
    va_start(args, format);
    const int formatted = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (formatted <= 0)
        return;
    const int length = formatted < maxTextLength ? formatted : maxTextLength;

    // A byte without a glyph would select a list below or above ours, which may
    // belong to someone else; leaving it out draws exactly nothing for it.
    GLubyte codes[maxTextLength];
    GLsizei count = 0;
    for (int i = 0; i < length; ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        if (code >= firstCode && code < firstCode + glyphCount)
            codes[count++] = code;
    }
    if (count == 0)
        return;

    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase_ - firstCode);
    glCallLists(count, GL_UNSIGNED_BYTE, codes);
    glPopAttrib();
}

void BitmapFont::release()
{
    if (listBase_ != 0)
        glDeleteLists(listBase_, glyphCount);
    listBase_ = 0;
}
