// The texture makers against the real (headless) GL context: what GL holds
// afterwards, read back with glGet*.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "image/dib_image.h"
#include "image/texture_makers.h"
#include "support/bmp_writer.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

class TextureMakersTest : public testing::Test {
protected:
    TextureMakersTest()
        : dir_(makeTempDir("textures")), cwd_(dir_)
    {
        recordedBoxes().clear();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }

    ~TextureMakersTest() override
    {
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
    }

    static GLint integer(GLenum what)
    {
        GLint value = -1;
        glGetIntegerv(what, &value);
        return value;
    }

    static GLint parameter(GLenum target, GLenum what)
    {
        GLint value = -1;
        glGetTexParameteriv(target, what, &value);
        return value;
    }

    static GLint levelWidth(GLenum target, int level)
    {
        GLint value = -1;
        glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &value);
        return value;
    }

    static std::vector<uint8_t> readBack(GLenum target, GLenum format, size_t bytes)
    {
        std::vector<uint8_t> pixels(bytes, 0xCD);
        glGetTexImage(target, 0, format, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    std::filesystem::path dir_;
    ScopedWorkingDirectory cwd_;
};

BmpFile pictureOf(int32_t width, int32_t height, const std::vector<Rgb>& bottomUpPixels)
{
    std::vector<std::string> rows;
    for (int32_t y = 0; y < height; ++y)
        rows.push_back(bgrRow(std::vector<Rgb>(bottomUpPixels.begin() + y * width,
                                               bottomUpPixels.begin() + (y + 1) * width)));
    BmpFile bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.pixels = paddedRows(rows);
    return bmp;
}

// Death tests run the statement in a child whose recorded boxes the parent
// cannot see; this handler shows them on stderr for the test to match.
platform::MessageBoxResult printBox(const char* text, const char* caption, platform::MessageBoxStyle)
{
    std::fprintf(stderr, "[%s] %s", caption, text);
    return platform::MessageBoxResult::Ok;
}

} // namespace

TEST_F(TextureMakersTest, LoadTextureUploadsTheDecodedPictureWithMipmapsAndLeavesItBound)
{
    const BmpFile bmp = patternBmp24(4, 4);
    writeFile("Textures/pattern.bmp", bmp.bytes());
    const auto expected = loadDibImage("Textures/pattern.bmp");
    ASSERT_NE(expected, nullptr);

    GLuint names[3] = {0, 0, 0};
    loadTexture(names, "Textures\\pattern.bmp", 1);
    EXPECT_EQ(names[0], 0u);
    ASSERT_NE(names[1], 0u);
    EXPECT_TRUE(glIsTexture(names[1]));
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(names[1]));

    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_RGB, 4 * 4 * 3), expected->data);
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 2), 1);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(recordedBoxes().empty());
    glDeleteTextures(1, &names[1]);
}

TEST_F(TextureMakersTest, RowsThatAreNotWholeWordsUploadUnskewedAndTheUnpackAlignmentIsKept)
{
    // One pixel per row: 3 bytes, which GL's default alignment would pad to 4.
    const std::vector<Rgb> pixels{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    writeFile("column.bmp", pictureOf(1, 4, pixels).bytes());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);

    GLuint names[1] = {0};
    loadTexture(names, "column.bmp", 0);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_RGB, 12),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 2);
    glDeleteTextures(1, names);

    // The same for a cube face three pixels wide.
    const std::vector<Rgb> square{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5},
                                  {6, 6, 6}, {7, 7, 7}, {8, 8, 8}, {9, 9, 9}};
    writeFile("square.bmp", pictureOf(3, 3, square).bytes());
    GLuint cube = 0;
    glGenTextures(1, &cube);
    loadCubeMapFace(&cube, "square.bmp", 0, GL_TEXTURE_CUBE_MAP_POSITIVE_X);
    std::vector<uint8_t> expected;
    for (const Rgb& p : square)
        expected.insert(expected.end(), p.begin(), p.end());
    EXPECT_EQ(readBack(GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_RGB, 27), expected);
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 2);
    glDeleteTextures(1, &cube);
}

TEST_F(TextureMakersTest, ColourKeyMakesOnlyExactBlackTransparent)
{
    const std::vector<Rgb> pixels{{0, 0, 1}, {0, 0, 0}, {255, 255, 255}, {1, 0, 0}};
    writeFile("crosshair.bmp", pictureOf(2, 2, pixels).bytes());

    GLuint names[2] = {0, 0};
    loadColorKeyTexture(names, "crosshair.bmp", 1);
    ASSERT_NE(names[1], 0u);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_RGBA, 16),
              (std::vector<uint8_t>{0, 0, 1, 255, 0, 0, 0, 0, 255, 255, 255, 255, 1, 0, 0, 255}));
    glDeleteTextures(1, &names[1]);
}

// The child re-runs this binary for just the dying test, so it has a context
// of its own rather than a forked copy of ours.
TEST_F(TextureMakersTest, UndecodableBitmapsEndTheProgramWithStatusOneAfterOneMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    GLuint names[1] = {0};
    EXPECT_EXIT(
        {
            platform::setMessageBoxHandler(printBox);
            loadTexture(names, "Textures\\missing.bmp", 0);
        },
        testing::ExitedWithCode(1), "\\[Error\\] Failed to open DIB file Textures.missing\\.bmp\\.\n");

    BmpFile v5 = patternBmp24(2, 2);
    v5.headerSize = 108;
    writeFile("v5.bmp", v5.bytes());
    GLuint cube = 0;
    EXPECT_EXIT(
        {
            platform::setMessageBoxHandler(printBox);
            loadCubeMapFace(&cube, "v5.bmp", 0, GL_TEXTURE_CUBE_MAP_POSITIVE_X);
        },
        testing::ExitedWithCode(1), "\\[Error\\] Unknown DIB file format\\.");
}
