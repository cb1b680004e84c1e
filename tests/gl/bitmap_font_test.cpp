// BitmapFont against the real driver: text drawn into a framebuffer and read
// back, the list state around print, and what happens without a font.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gpu/bitmap_font.h"
#include "gpu/render_targets.h"
#include "platform/sdl/sdl_font.h"
#include "support/gl_state.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

constexpr int edge = 256;

// White text on black in an offscreen target, one pixel per unit.
class BitmapFontTest : public testing::Test {
protected:
    void SetUp() override
    {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        ASSERT_TRUE(targets_.init(1) && targets_.create(0, edge, RenderTargets::KindRgba));
        targets_.bind(0);
        glViewport(0, 0, edge, edge);
        glDisable(GL_DEPTH_TEST);
        for (GLenum matrix : {GL_MODELVIEW, GL_PROJECTION}) {
            glMatrixMode(matrix);
            glPushMatrix();
            glLoadIdentity();
        }
        glOrtho(0, edge, 0, edge, -1, 1);
        font_.create(nullptr, "Courier New");
    }

    void TearDown() override
    {
        font_.release();
        for (GLenum matrix : {GL_PROJECTION, GL_MODELVIEW}) {
            glMatrixMode(matrix);
            glPopMatrix();
        }
        targets_.unbind();
        targets_.release();
        glPopAttrib();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    // Calls `lists` with the pen at (x, y) on black; the pen's x afterwards.
    template <typename Draw>
    float drawAt(int x, int y, Draw lists)
    {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glRasterPos2i(x, y);
        lists();
        GLfloat position[4] = {};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        return position[0];
    }
    template <typename... Args>
    float print(int x, int y, const char* format, Args... args)
    {
        return drawAt(x, y, [&] { font_.print(format, args...); });
    }

    // Whether a pixel has ink, row by row from the bottom.
    static std::vector<bool> ink()
    {
        const std::vector<unsigned char> pixels = readRgba(0, 0, edge, edge);
        std::vector<bool> result(edge * edge);
        for (size_t i = 0; i < result.size(); ++i)
            result[i] = pixels[i * 4] > 127;
        return result;
    }
    static bool inkIn(const std::vector<bool>& image, int fromX = 0, int toX = edge)
    {
        for (int y = 0; y < edge; ++y)
            for (int x = std::max(fromX, 0); x < std::min(toX, edge); ++x)
                if (image[size_t(y * edge + x)])
                    return true;
        return false;
    }

    RenderTargets targets_;
    BitmapFont font_;
};

// With the face named or a missing one: "FPS:60" is its six glyphs side by
// side from the pen, whole pixels apart.
TEST_F(BitmapFontTest, CreateLeavesTheColourBlackAndTextIsItsGlyphsSideBySide)
{
    for (const char* face : {"Courier New", "No Such Face Verdal"}) {
        SCOPED_TRACE(face);
        font_.release();
        font_.create(nullptr, face);
        GLfloat colour[4] = {-1, -1, -1, -1};
        glGetFloatv(GL_CURRENT_COLOR, colour);
        EXPECT_EQ(std::vector<float>(colour, colour + 3), std::vector<float>(3, 0.0f));

        const float end = print(20, 100, "FPS:%d", 60);
        const std::vector<bool> text = ink();
        const int advance = int(end - 20) / 6;
        ASSERT_GE(advance, 6);
        EXPECT_FALSE(inkIn(text, 0, 20)) << "nothing left of the pen";
        std::vector<bool> composed(text.size());
        for (int i = 0; i < 6; ++i) {
            const int x = 20 + i * advance;
            EXPECT_EQ(print(x, 100, "%c", "FPS:60"[i]), float(x + advance));
            const std::vector<bool> glyph = ink();
            EXPECT_TRUE(inkIn(glyph, x, x + advance)) << "cell " << i;
            for (size_t p = 0; p < composed.size(); ++p)
                composed[p] = composed[p] || glyph[p];
        }
        EXPECT_TRUE(composed == text) << "the text differs from its glyphs drawn one by one";
    }
}

// Bytes outside 32..127 have no glyph: no ink, no pen movement, no new line.
// The list a byte of 200 would name lies just outside the font's 96: someone
// else's, which must not run.
TEST_F(BitmapFontTest, BytesWithoutGlyphsAreSkipped)
{
    const GLuint neighbour = font_.listBase() - BitmapFont::firstCode + 200;
    ASSERT_FALSE(glIsList(neighbour));
    glNewList(neighbour, GL_COMPILE);
    glRecti(0, 0, edge, edge);
    glEndList();
    EXPECT_EQ(print(40, 40, "\n\t%c", 200), 40.0f);
    EXPECT_FALSE(inkIn(ink()));
    glDeleteLists(neighbour, 1);

    EXPECT_EQ(print(40, 40, "%s", ""), 40.0f);
    const float plainEnd = print(40, 40, "AB");
    const std::vector<bool> plain = ink();
    EXPECT_EQ(print(40, 40, "A\nB\x01"), plainEnd) << "no new line, no gap";
    EXPECT_TRUE(ink() == plain);
}

TEST_F(BitmapFontTest, SpacesAdvanceWithoutInkTextIsCutAt255AndTheListBaseIsKept)
{
    const float advance = print(0, 40, "W");
    EXPECT_EQ(print(40, 40, "   "), 40.0f + 3 * advance);
    EXPECT_FALSE(inkIn(ink()));
    EXPECT_EQ(print(40, 40, "1 - DEMO MODE"), 40.0f + 13 * advance);
    glListBase(7);
    EXPECT_EQ(print(0, 10, "%s", std::string(1000, 'W').c_str()), 255 * advance);
    EXPECT_EQ(glInteger(GL_LIST_BASE), 7);
    glListBase(0);
}

// No font file, or one that is not a font: the lists exist and draw nothing.
TEST_F(BitmapFontTest, WithoutAFontFileTheListsDrawNothing)
{
    const auto dir = makeTempDir("nofont");
    writeFile(dir / "junk.ttf", "not a font");
    const GLuint base = glGenLists(BitmapFont::glyphCount);
    for (const FontFaceFile& face : {FontFaceFile{}, FontFaceFile{(dir / "junk.ttf").string(), 0, false}}) {
        platform::Font* font = platform::createFontFromFile(face, BitmapFont::cellHeight);
        platform::selectFont(nullptr, font);
        EXPECT_FALSE(platform::useFontBitmaps(nullptr, BitmapFont::firstCode, BitmapFont::glyphCount, base));
        platform::selectFont(nullptr, nullptr);
        platform::deleteFont(font);
        glListBase(base - BitmapFont::firstCode);
        EXPECT_EQ(drawAt(20, 100, [] { glCallLists(3, GL_UNSIGNED_BYTE, "FPS"); }), 20.0f);
        glListBase(0);
        EXPECT_FALSE(inkIn(ink()));
    }
    glDeleteLists(base, BitmapFont::glyphCount);
}

TEST_F(BitmapFontTest, ReleaseDeletesTheListsAndLaterPrintsDrawNothing)
{
    const GLuint base = font_.listBase();
    font_.release();
    for (GLuint list = base; list < base + BitmapFont::glyphCount; ++list)
        ASSERT_FALSE(glIsList(list)) << list;
    print(20, 100, "FPS");
    EXPECT_FALSE(inkIn(ink()));
}

} // namespace
