// BitmapFont against the real driver: glyphs drawn into a framebuffer and read
// back, the list state around print, and what happens without a font.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gpu/bitmap_font.h"
#include "gpu/gl_extensions.h"
#include "gpu/render_targets.h"
#include "platform/sdl/sdl_font.h"
#include "support/test_files.h"

using X = GlExtensions;

namespace {

constexpr int edge = 256;

// White text on black in an offscreen target, one pixel per unit, origin at
// the bottom left.
class BitmapFontTest : public testing::Test {
protected:
    void SetUp() override
    {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        ASSERT_TRUE(targets_.init(1));
        ASSERT_TRUE(targets_.create(0, edge, RenderTargets::KindRgba));
        targets_.bind(0);
        glViewport(0, 0, edge, edge);
        glDisable(GL_DEPTH_TEST);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, edge, 0, edge, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        font_.create(nullptr, "Courier New");
    }

    void TearDown() override
    {
        font_.release();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        targets_.unbind();
        targets_.release();
        glPopAttrib();
        glBindTexture(GL_TEXTURE_2D, 0);
        X::glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    void clear()
    {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // Positions the pen in white; returns where the pen stands afterwards.
    template <typename... Args>
    float printAt(int x, int y, const char* format, Args... args)
    {
        glColor3f(1, 1, 1);
        glRasterPos2i(x, y);
        font_.print(format, args...);
        GLfloat position[4] = {};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        return position[0];
    }

    // True where a pixel has ink.
    std::vector<bool> ink()
    {
        std::vector<unsigned char> pixels(edge * edge * 4);
        glReadPixels(0, 0, edge, edge, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        std::vector<bool> result(edge * edge);
        for (std::size_t i = 0; i < result.size(); ++i)
            result[i] = pixels[i * 4] > 127;
        return result;
    }

    static bool inkInColumns(const std::vector<bool>& image, int from, int to)
    {
        for (int y = 0; y < edge; ++y)
            for (int x = std::max(from, 0); x < std::min(to, edge); ++x)
                if (image[static_cast<std::size_t>(y * edge + x)])
                    return true;
        return false;
    }

    static bool blank(const std::vector<bool>& image) { return !inkInColumns(image, 0, edge); }

    RenderTargets targets_;
    BitmapFont font_;
};

TEST_F(BitmapFontTest, CreateLeavesTheColourBlack)
{
    GLfloat colour[4] = {-1, -1, -1, -1};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 0.0f);
    EXPECT_EQ(colour[1], 0.0f);
    EXPECT_EQ(colour[2], 0.0f);
    EXPECT_NE(font_.listBase(), 0u);
    EXPECT_TRUE(glIsList(font_.listBase()));
    EXPECT_TRUE(glIsList(font_.listBase() + BitmapFont::glyphCount - 1));
}

// "FPS:60" must be the six single glyphs side by side, in order, from the pen.
TEST_F(BitmapFontTest, FormattedTextDrawsItsGlyphsLeftToRightFromThePen)
{
    const int startX = 20, baseline = 100;
    clear();
    const float end = printAt(startX, baseline, "FPS:%d", 60);
    const std::vector<bool> text = ink();
    const float advance = (end - startX) / 6.0f;
    ASSERT_GE(advance, 6.0f);
    ASSERT_EQ(advance, static_cast<float>(static_cast<int>(advance))) << "whole-pixel advances";
    EXPECT_FALSE(inkInColumns(text, 0, startX)) << "nothing left of the pen";

    const std::string glyphs = "FPS:60";
    std::vector<bool> composed(edge * edge, false);
    for (int i = 0; i < 6; ++i) {
        const int cellX = startX + i * static_cast<int>(advance);
        EXPECT_TRUE(inkInColumns(text, cellX, cellX + static_cast<int>(advance))) << "cell " << i;
        clear();
        const float glyphEnd = printAt(cellX, baseline, "%c", glyphs[static_cast<std::size_t>(i)]);
        EXPECT_EQ(glyphEnd - static_cast<float>(cellX), advance);
        const std::vector<bool> single = ink();
        EXPECT_FALSE(blank(single)) << glyphs[static_cast<std::size_t>(i)];
        for (std::size_t p = 0; p < composed.size(); ++p)
            composed[p] = composed[p] || single[p];
    }
    EXPECT_TRUE(composed == text) << "the string differs from its glyphs drawn one by one";
}

TEST_F(BitmapFontTest, CodesWithoutGlyphsDrawNothingAndDontMoveThePen)
{
    clear();
    EXPECT_EQ(printAt(40, 40, "\n\t%c", 0x7f + 0x49), 40.0f);
    EXPECT_EQ(printAt(40, 40, "%s", ""), 40.0f);
    EXPECT_TRUE(blank(ink()));

    clear();
    const float plainEnd = printAt(40, 40, "AB");
    const std::vector<bool> plain = ink();
    clear();
    EXPECT_EQ(printAt(40, 40, "A\nB\x01"), plainEnd) << "no new line, no gap";
    EXPECT_TRUE(ink() == plain);
}

TEST_F(BitmapFontTest, SpacesMoveThePenWithoutInk)
{
    clear();
    const float advance = printAt(40, 40, "A") - 40.0f;
    clear();
    EXPECT_EQ(printAt(40, 40, "   "), 40.0f + 3 * advance);
    EXPECT_TRUE(blank(ink()));
    EXPECT_EQ(printAt(40, 40, "1 - DEMO MODE"), 40.0f + 13 * advance);
}

// A byte outside the font's range would name a list just outside the font's 96;
// such a list, if it exists, belongs to someone else and must not run.
TEST_F(BitmapFontTest, ForeignListsNextToTheFontAreNeverCalled)
{
    const GLuint neighbour = font_.listBase() - BitmapFont::firstCode + 200;
    ASSERT_FALSE(glIsList(neighbour));
    glNewList(neighbour, GL_COMPILE);
    glRecti(0, 0, edge, edge);
    glEndList();
    clear();
    printAt(10, 10, "%c", 200);
    EXPECT_TRUE(blank(ink()));
    glDeleteLists(neighbour, 1);
}

TEST_F(BitmapFontTest, PrintRestoresTheListBase)
{
    glListBase(7);
    printAt(10, 10, "FPS:%d", 60);
    GLint base = -1;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 7);
    glListBase(0);
}

TEST_F(BitmapFontTest, TextBeyondTheBufferIsCutAt255Characters)
{
    const float advance = printAt(0, 10, "W");
    const std::string longText(1000, 'W');
    EXPECT_EQ(printAt(0, 10, "%s", longText.c_str()), 255 * advance);
}

TEST_F(BitmapFontTest, AMissingFaceStillGivesReadableText)
{
    font_.release();
    font_.create(nullptr, "No Such Face Verdal");
    clear();
    EXPECT_GT(printAt(20, 100, "FPS:%d", 60), 20.0f);
    EXPECT_FALSE(blank(ink()));
}

TEST_F(BitmapFontTest, WithoutAFontFileTheListsDrawNothing)
{
    const auto dir = testing_support::makeTempDir("nofont");
    testing_support::writeFile(dir / "junk.ttf", "not a font");
    const GLuint base = glGenLists(BitmapFont::glyphCount);
    for (const FontFaceFile& face : {FontFaceFile{}, FontFaceFile{(dir / "junk.ttf").string(), 0, false}}) {
        platform::Font* font = platform::createFontFromFile(face, BitmapFont::cellHeight);
        platform::selectFont(nullptr, font);
        EXPECT_FALSE(platform::useFontBitmaps(nullptr, BitmapFont::firstCode, BitmapFont::glyphCount, base));
        platform::selectFont(nullptr, nullptr);
        platform::deleteFont(font);
        clear();
        glColor3f(1, 1, 1);
        glRasterPos2i(20, 100);
        glListBase(base - BitmapFont::firstCode);
        glCallLists(3, GL_UNSIGNED_BYTE, "FPS");
        glListBase(0);
        GLfloat position[4] = {};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        EXPECT_EQ(position[0], 20.0f);
        EXPECT_TRUE(blank(ink()));
    }
    glDeleteLists(base, BitmapFont::glyphCount);
}

TEST_F(BitmapFontTest, ReleaseDeletesTheListsAndLaterPrintsDrawNothing)
{
    const GLuint base = font_.listBase();
    font_.release();
    for (GLuint list = base; list < base + BitmapFont::glyphCount; ++list)
        ASSERT_FALSE(glIsList(list)) << list;
    clear();
    printAt(20, 100, "FPS");
    EXPECT_TRUE(blank(ink()));
}

} // namespace
