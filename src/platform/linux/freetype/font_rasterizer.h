#pragma once

#include <vector>

#include "platform/linux/freetype/font_face_lookup.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

// One glyph as glBitmap takes it: one bit per pixel, most significant bit
// leftmost, each row padded to whole bytes, bottom row first.
struct GlyphBitmap {
    int width = 0;
    int height = 0;
    int originX = 0;  // glBitmap's xorig: pen position measured from the bitmap's left edge
    int originY = 0;  // glBitmap's yorig: pen position measured from the bitmap's bottom row
    int advance = 0;  // pixels the pen moves right after the glyph
    std::vector<unsigned char> bits;

    int bytesPerRow() const { return (width + 7) / 8; }
    bool pixel(int x, int y) const;  // y counts from the bottom row
};

// Renders glyphs of one font file as two-level bitmaps at a given cell height
// (ascent plus descent, the way a 14-unit GDI font is 14 pixels tall).
class FontRasterizer {
public:
    FontRasterizer() = default;
    ~FontRasterizer();
    FontRasterizer(const FontRasterizer&) = delete;
    FontRasterizer& operator=(const FontRasterizer&) = delete;

    bool open(const FontFaceFile& face, int cellHeight);
    bool isOpen() const { return face_ != nullptr; }

    // False when the glyph can't be rendered; `glyph` is then left empty.
    bool render(unsigned long code, GlyphBitmap& glyph);

private:
    void close();

    FT_LibraryRec_* library_ = nullptr;
    FT_FaceRec_* face_ = nullptr;
    bool embolden_ = false;
};
