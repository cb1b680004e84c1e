// BitmapFont against the real driver: text drawn into a framebuffer and read
// back, the list state around print, and what happens without a font.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "gpu/bitmap_font.h"
#include "gpu/render_targets.h"
#include "platform/linux/freetype/freetype_font.h"
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

// With the face named or any other name: "FPS:60" is its six glyphs side by
// side from the pen, whole pixels apart; every printable glyph advances as far
// (a monospaced face), the ink stands in the 14-pixel cell with descenders
// below the baseline, and 'F' (bits and rows in glBitmap's order) has its bar
// along the top and its stem at the bottom left.
TEST_F(BitmapFontTest, AnyFaceNameGivesMonospacedGlyphsInTheCellSideBySide)
{
    for (const char* face : {"Courier New", "No Such Face Verdal", ""}) {
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

        int lowest = edge, highest = -1;
        for (int first = 33; first < 127; first += 16) {
            std::string glyphs;
            for (int code = first; code < std::min(first + 16, 127); ++code)
                glyphs += char(code);
            EXPECT_EQ(print(0, 100, "%s", glyphs.c_str()), float(advance * int(glyphs.size()))) << glyphs;
            const std::vector<bool> image = ink();
            for (int p = 0; p < edge * edge; ++p)
                if (image[size_t(p)])
                    std::tie(lowest, highest) = std::pair{std::min(lowest, p / edge), std::max(highest, p / edge)};
        }
        EXPECT_TRUE(lowest < 100 && highest - lowest >= 10 && highest - lowest <= 14) << lowest << " to " << highest;

        print(100, 100, "F");
        const std::vector<bool> f = ink();
        int left = edge, right = -1, bottom = edge, top = -1, bar = 0;
        for (int p = 0; p < edge * edge; ++p)
            if (f[size_t(p)])
                std::tie(left, right, bottom, top) = std::tuple{std::min(left, p % edge), std::max(right, p % edge),
                                                                std::min(bottom, p / edge), std::max(top, p / edge)};
        for (int x = left; x <= right; ++x)
            bar += f[size_t(top * edge + x)];
        EXPECT_GE(bar, right - left);
        EXPECT_TRUE(f[size_t(bottom * edge + left)] && !f[size_t(bottom * edge + right)]);
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

} // namespace
