// Choosing the overlay font through fontconfig and rendering its glyphs as
// glBitmap bitmaps, without any GL.
#include <gtest/gtest.h>

#include <bit>
#include <set>

#include "platform/sdl/font_face_lookup.h"
#include "platform/sdl/font_rasterizer.h"

namespace {

// Bits set, padding included: padding must stay clear.
int inkCount(const GlyphBitmap& glyph)
{
    int ink = 0;
    for (unsigned char byte : glyph.bits)
        ink += std::popcount(byte);
    return ink;
}

FontFaceFile boldFace(const char* name)
{
    FontFaceFile face;
    EXPECT_TRUE(findBoldFontFace(name, face)) << name;
    return face;
}

} // namespace

// Any name, known or not, gives a bold monospaced face whose printable glyphs
// fit the 14-pixel cell, descenders below the baseline; the space has no ink
// but advances; 'F' has its bar at the top and its stem on the left (bits and
// rows in glBitmap's order).
TEST(FontRasterizer, AnyFaceNameGivesMonospacedGlyphsThatFitTheCell)
{
    for (const char* name : {"Courier New", "No Such Face Verdal", ""}) {
        SCOPED_TRACE(name);
        FontRasterizer rasterizer;
        ASSERT_TRUE(rasterizer.open(boldFace(name), 14));
        std::set<int> advances;
        int lowest = 0, highest = 0;
        GlyphBitmap glyph;
        for (unsigned long code = 33; code < 127; ++code) {
            ASSERT_TRUE(rasterizer.render(code, glyph));
            ASSERT_GT(inkCount(glyph), 0) << code;
            ASSERT_EQ(glyph.bits.size(), size_t(glyph.bytesPerRow() * glyph.height));
            advances.insert(glyph.advance);
            lowest = std::min(lowest, -glyph.originY);
            highest = std::max(highest, glyph.height - glyph.originY);
        }
        ASSERT_EQ(advances.size(), 1u) << "not monospaced";
        EXPECT_TRUE(*advances.begin() >= 6 && *advances.begin() <= 10) << *advances.begin();
        EXPECT_TRUE(highest - lowest >= 11 && highest - lowest <= 15) << highest - lowest;
        EXPECT_LT(lowest, 0) << "descenders reach below the baseline";
        ASSERT_TRUE(rasterizer.render(' ', glyph));
        EXPECT_TRUE(glyph.width == 0 && glyph.bits.empty());
        EXPECT_EQ(glyph.advance, *advances.begin());
        ASSERT_TRUE(rasterizer.render('F', glyph));
        int bar = 0;
        for (int x = 0; x < glyph.width; ++x)
            bar += glyph.pixel(x, glyph.height - 1);
        EXPECT_GE(bar, glyph.width - 1);
        EXPECT_TRUE(glyph.pixel(0, 0) || glyph.pixel(1, 0));
        EXPECT_FALSE(glyph.pixel(glyph.width - 1, 0));
    }
    EXPECT_FALSE(boldFace("Courier New").embolden) << "the metric twin ships a bold cut";
}

// Unreadable font files are refused by the GL font test (lists that draw nothing).
TEST(FontRasterizer, EmboldeningThickensStrokesAndNoFontsAtAllIsReported)
{
    FontFaceFile face = boldFace("Courier New");
    FontRasterizer plain, thick;
    face.embolden = false;
    ASSERT_TRUE(plain.open(face, 14));
    face.embolden = true;
    ASSERT_TRUE(thick.open(face, 14));
    GlyphBitmap a, b;
    ASSERT_TRUE(plain.render('H', a) && thick.render('H', b));
    EXPECT_GT(inkCount(b), inkCount(a));

    FcConfig* empty = FcConfigCreate();
    EXPECT_FALSE(findBoldFontFace("Courier New", face, empty));
    FcConfigDestroy(empty);
}
