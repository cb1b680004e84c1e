// Fonts on GDI, turned into display lists by wglUseFontBitmapsA.
#include "gpu/gl_headers.h"
#include "platform/win32/win32_handles.h"

namespace platform {

namespace {

HFONT toHfont(Font* font) { return reinterpret_cast<HFONT>(font); }

// True when the glyph of `code` in the font selected into `hdc` has no ink;
// its advance goes to `advance`.
bool isBlankGlyph(HDC hdc, int code, int& advance)
{
    GLYPHMETRICS metrics{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    const DWORD size = GetGlyphOutlineA(hdc, static_cast<UINT>(code), GGO_BITMAP, &metrics, 0, nullptr, &identity);
    advance = metrics.gmCellIncX;
    return size == 0;
}

} // namespace

Font* createBoldFont(int height, const char* faceName)
{
    HFONT font = CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName);
    return reinterpret_cast<Font*>(font);
}

Font* selectFont(DeviceContext* dc, Font* font)
{
    if (!dc || !font)
        return nullptr;
    return reinterpret_cast<Font*>(SelectObject(toHdc(dc), toHfont(font)));
}

void deleteFont(Font* font)
{
    if (font)
        DeleteObject(toHfont(font));
}

bool useFontBitmaps(DeviceContext* dc, int first, int count, unsigned listBase)
{
    if (!dc || listBase == 0)
        return false;
    bool built = true;
    for (int i = 0; i < count; ++i) {
        const int code = first + i;
        const GLuint list = listBase + static_cast<GLuint>(i);
        int advance = 0;
        if (!isBlankGlyph(toHdc(dc), code, advance)) {
            built = wglUseFontBitmapsA(toHdc(dc), static_cast<DWORD>(code), 1, list) && built;
            continue;
        }
        // Mesa refuses the zero-sized bitmap of a blank glyph (the space) with
        // GL_OUT_OF_MEMORY, leaving a list that no longer moves the pen; one
        // unset pixel carries the advance instead.
        static const GLubyte noInk = 0;
        glNewList(list, GL_COMPILE);
        glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(advance), 0.0f, &noInk);
        glEndList();
    }
    return built;
}

} // namespace platform
