// Choosing the overlay font through fontconfig and rendering its glyphs as
// glBitmap bitmaps, without any GL.
#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "platform/sdl/font_face_lookup.h"
#include "platform/sdl/font_rasterizer.h"
#include "support/test_files.h"

namespace {

int inkCount(const GlyphBitmap& glyph)
{
    int ink = 0;
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            ink += glyph.pixel(x, y) ? 1 : 0;
    return ink;
}

// The advances of the printable ASCII glyphs; one value for a monospaced face.
std::set<int> printableAdvances(FontRasterizer& rasterizer)
{
    std::set<int> advances;
    GlyphBitmap glyph;
    for (unsigned long code = 32; code < 127; ++code) {
        EXPECT_TRUE(rasterizer.render(code, glyph)) << code;
        advances.insert(glyph.advance);
    }
    return advances;
}

TEST(FontFaceLookup, OverlayFaceResolvesToABoldMonospacedFile)
{
    for (const char* name : {"Courier New", "No Such Face Verdal", ""}) {
        SCOPED_TRACE(name);
        FontFaceFile face;
        ASSERT_TRUE(findBoldFontFace(name, face));
        EXPECT_TRUE(std::filesystem::exists(face.path));
        FontRasterizer rasterizer;
        ASSERT_TRUE(rasterizer.open(face, 14));
        const std::set<int> advances = printableAdvances(rasterizer);
        ASSERT_EQ(advances.size(), 1u) << "not monospaced";
        EXPECT_GE(*advances.begin(), 6);
        EXPECT_LE(*advances.begin(), 10);
    }
    FontFaceFile courier;
    ASSERT_TRUE(findBoldFontFace("Courier New", courier));
    EXPECT_FALSE(courier.embolden) << "the metric twin ships a bold cut: " << courier.path;
}

TEST(FontFaceLookup, NoFontsAtAllIsReported)
{
    FcConfig* empty = FcConfigCreate();
    FontFaceFile face;
    EXPECT_FALSE(findBoldFontFace("Courier New", face, empty));
    FcConfigDestroy(empty);
}

TEST(FontRasterizer, GlyphsFitTheFourteenPixelCell)
{
    FontFaceFile face;
    ASSERT_TRUE(findBoldFontFace("Courier New", face));
    FontRasterizer rasterizer;
    ASSERT_TRUE(rasterizer.open(face, 14));

    // Lowest and highest pixel row relative to the baseline over all glyphs.
    int lowest = 0, highest = 0;
    GlyphBitmap glyph;
    for (unsigned long code = 33; code < 127; ++code) {
        ASSERT_TRUE(rasterizer.render(code, glyph));
        ASSERT_GT(inkCount(glyph), 0) << code;
        ASSERT_EQ(glyph.bits.size(), static_cast<std::size_t>(glyph.bytesPerRow() * glyph.height));
        lowest = std::min(lowest, -glyph.originY);
        highest = std::max(highest, glyph.height - glyph.originY);
    }
    EXPECT_LE(highest - lowest, 15);
    EXPECT_GE(highest - lowest, 11);
    EXPECT_LT(lowest, 0) << "descenders reach below the baseline";

    ASSERT_TRUE(rasterizer.render(' ', glyph));
    EXPECT_EQ(glyph.width, 0);
    EXPECT_TRUE(glyph.bits.empty());
    EXPECT_GT(glyph.advance, 0);

    // 'F': the bar at the top and the stem on the left.
    ASSERT_TRUE(rasterizer.render('F', glyph));
    int topRow = glyph.height - 1;
    int barInk = 0;
    for (int x = 0; x < glyph.width; ++x)
        barInk += glyph.pixel(x, topRow) ? 1 : 0;
    EXPECT_GE(barInk, glyph.width - 1);
    EXPECT_TRUE(glyph.pixel(0, 0) || glyph.pixel(1, 0));
    EXPECT_FALSE(glyph.pixel(glyph.width - 1, 0));
}

TEST(FontRasterizer, EmboldeningThickensStrokes)
{
    FontFaceFile face;
    ASSERT_TRUE(findBoldFontFace("Courier New", face));
    FontRasterizer plain, thick;
    face.embolden = false;
    ASSERT_TRUE(plain.open(face, 14));
    face.embolden = true;
    ASSERT_TRUE(thick.open(face, 14));
    GlyphBitmap a, b;
    ASSERT_TRUE(plain.render('H', a));
    ASSERT_TRUE(thick.render('H', b));
    EXPECT_GT(inkCount(b), inkCount(a));
}

TEST(FontRasterizer, BadFontFilesAreRefused)
{
    const auto dir = testing_support::makeTempDir("font");
    testing_support::writeFile(dir / "junk.ttf", std::string(4096, '\x17'));
    testing_support::writeFile(dir / "empty.ttf", "");
    for (const auto& path : {dir / "junk.ttf", dir / "empty.ttf", dir / "missing.ttf"}) {
        FontRasterizer rasterizer;
        EXPECT_FALSE(rasterizer.open(FontFaceFile{path.string(), 0, false}, 14)) << path;
        GlyphBitmap glyph;
        EXPECT_FALSE(rasterizer.render('A', glyph));
        EXPECT_EQ(glyph.advance, 0);
    }
}

} // namespace
