#include "gpu/bitmap_font.h"

#include <cstdarg>
#include <cstdio>


void BitmapFont::create(platform::DeviceContext* dc, const char* faceName)
{
    listBase_ = glGenLists(glyphCount);
    glColor3f(0.0f, 0.0f, 0.0f);
    if (listBase_ == 0)
        return;
    platform::Font* face = platform::createBoldFont(cellHeight, faceName);
    platform::Font* previous = platform::selectFont(dc, face);
    platform::useFontBitmaps(dc, firstCode, glyphCount, listBase_);
    platform::selectFont(dc, previous);
    platform::deleteFont(face);
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
