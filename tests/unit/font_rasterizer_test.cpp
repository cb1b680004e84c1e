// Choosing the overlay font through fontconfig and rendering its glyphs as
// glBitmap bitmaps, without any GL.
#include <gtest/gtest.h>

#include <bit>

#include "platform/linux/freetype/font_face_lookup.h"
#include "platform/linux/freetype/font_rasterizer.h"

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

// The glyphs' shapes and metrics, and unreadable font files, are the GL font
// test's to check, through the lists they become.
TEST(FontRasterizer, CourierNewHasABoldCutEmboldeningThickensStrokesAndNoFontsAtAllIsReported)
{
    FontFaceFile face = boldFace("Courier New");
    EXPECT_FALSE(face.embolden) << "the metric twin ships a bold cut: " << face.path;
    FontRasterizer plain, thick;
    face.embolden = false;
    ASSERT_TRUE(plain.open(face, 14));
    face.embolden = true;
    ASSERT_TRUE(thick.open(face, 14));
    GlyphBitmap a, b;
    for (unsigned long code = 32; code < 127; ++code)  // GL reads exactly this many bytes
        ASSERT_TRUE(plain.render(code, a) && a.bits.size() == size_t(a.bytesPerRow() * a.height)) << code;
    ASSERT_TRUE(plain.render('H', a) && thick.render('H', b));
    EXPECT_GT(inkCount(b), inkCount(a));

    FcConfig* empty = FcConfigCreate();
    EXPECT_FALSE(findBoldFontFace("Courier New", face, empty));
    FcConfigDestroy(empty);
}
