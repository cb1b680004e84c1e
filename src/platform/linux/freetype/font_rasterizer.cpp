#include "platform/linux/freetype/font_rasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

namespace {

// A glyph of a 14-pixel font is a few hundred pixels; anything far beyond
// that comes from a broken font file and is not worth allocating for.
constexpr int maxGlyphEdge = 512;

// `row` counts rows in memory order; the buffer starts at the first of them
// whichever way the rows flow.
bool sourcePixel(const FT_Bitmap& bitmap, int x, int row)
{
    const long stride = bitmap.pitch < 0 ? -static_cast<long>(bitmap.pitch) : bitmap.pitch;
    const unsigned char* line = bitmap.buffer + row * stride;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        return (line[x / 8] >> (7 - x % 8)) & 1;
    return line[x] >= 128;  // grey-level bitmaps (embedded strikes): threshold
}

} // namespace

bool GlyphBitmap::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return false;
    return (bits[static_cast<std::size_t>(y * bytesPerRow() + x / 8)] >> (7 - x % 8)) & 1;
}

FontRasterizer::~FontRasterizer() { close(); }

void FontRasterizer::close()
{
    if (face_)
        FT_Done_Face(face_);
    if (library_)
        FT_Done_FreeType(library_);
    face_ = nullptr;
    library_ = nullptr;
}

bool FontRasterizer::open(const FontFaceFile& face, int cellHeight)
{
    close();
    if (FT_Init_FreeType(&library_) != 0) {
        library_ = nullptr;
        return false;
    }
    if (FT_New_Face(library_, face.path.c_str(), face.index, &face_) != 0) {
        face_ = nullptr;
        close();
        return false;
    }
    // The cell (ascender to descender) is what a GDI font height names, not the em.
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_CELL;
    request.height = static_cast<FT_Long>(cellHeight) * 64;
    if (FT_Request_Size(face_, &request) != 0 && FT_Set_Pixel_Sizes(face_, 0, cellHeight) != 0) {
        close();
        return false;
    }
    embolden_ = face.embolden;
    return true;
}

bool FontRasterizer::render(unsigned long code, GlyphBitmap& glyph)
{
    glyph = GlyphBitmap{};
    if (!face_)
        return false;
    const FT_UInt index = FT_Get_Char_Index(face_, code);
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0)
        return false;
    FT_GlyphSlot slot = face_->glyph;
    if (embolden_)
        FT_GlyphSlot_Embolden(slot);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return false;

    const FT_Bitmap& bitmap = slot->bitmap;
    const int width = static_cast<int>(bitmap.width);
    const int height = static_cast<int>(bitmap.rows);
    const bool knownMode = bitmap.pixel_mode == FT_PIXEL_MODE_MONO || bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
    if (width > maxGlyphEdge || height > maxGlyphEdge || (width > 0 && height > 0 && !knownMode))
        return false;

    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (width == 0 || height == 0 || !bitmap.buffer)
        return true;  // a blank glyph (space) only moves the pen
    glyph.width = width;
    glyph.height = height;
    glyph.originX = -slot->bitmap_left;
    glyph.originY = height - slot->bitmap_top;
    glyph.bits.assign(static_cast<std::size_t>(glyph.bytesPerRow() * height), 0);
    bool anyInk = false;
    for (int y = 0; y < height; ++y) {
        // A positive pitch means the top row comes first in memory; glBitmap wants the bottom first.
        const int sourceRow = bitmap.pitch >= 0 ? height - 1 - y : y;
        for (int x = 0; x < width; ++x) {
            if (!sourcePixel(bitmap, x, sourceRow))
                continue;
            glyph.bits[static_cast<std::size_t>(y * glyph.bytesPerRow() + x / 8)] |=
                static_cast<unsigned char>(0x80 >> (x % 8));
            anyInk = true;
        }
    }
    if (!anyInk) {
        // Some blank glyphs come with a token bitmap of empty pixels: only the pen moves.
        const int advance = glyph.advance;
        glyph = GlyphBitmap{};
        glyph.advance = advance;
    }
    return true;
}
