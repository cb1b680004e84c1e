// Fonts on FreeType, found by face name through fontconfig, turned into
// glBitmap display lists as wglUseFontBitmaps turns a GDI font into them.
#include "platform/linux/freetype/freetype_font.h"

#include "platform/linux/device_context.h"
#include "platform/linux/freetype/font_rasterizer.h"
#include "gpu/gl_headers.h"

namespace platform {

struct Font {
    FontRasterizer rasterizer;
};

namespace {

// Where the caller has no window (a headless GL context), fonts are selected here.
DeviceContext windowlessContext;

DeviceContext& contextOf(DeviceContext* dc) { return dc ? *dc : windowlessContext; }

} // namespace

Font* createFontFromFile(const FontFaceFile& face, int height)
{
    auto* font = new Font;
    if (!face.path.empty())
        font->rasterizer.open(face, height);
    return font;
}

Font* createBoldFont(int height, const char* faceName)
{
    FontFaceFile face;
    if (!findBoldFontFace(faceName, face))
        return nullptr;
    return createFontFromFile(face, height);
}

Font* selectFont(DeviceContext* dc, Font* font)
{
    Font* previous = contextOf(dc).font;
    contextOf(dc).font = font;
    return previous;
}

void deleteFont(Font* font)
{
    delete font;
}

bool useFontBitmaps(DeviceContext* dc, int first, int count, unsigned listBase)
{
    Font* font = contextOf(dc).font;
    if (listBase == 0 || count < 0)
        return false;
    // glBitmap copies its pixels into the list under the current unpack state,
    // so pin that state to our tightly packed rows for the duration.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (int i = 0; i < count; ++i) {
        GlyphBitmap glyph;
        glNewList(listBase + static_cast<GLuint>(i), GL_COMPILE);
        if (font && font->rasterizer.isOpen()
            && font->rasterizer.render(static_cast<unsigned long>(first + i), glyph)) {
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
    return font && font->rasterizer.isOpen();
}

} // namespace platform
