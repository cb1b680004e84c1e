// The texture makers against the real (headless) GL context: what GL holds
// afterwards, read back with glGet*.
#include <gtest/gtest.h>

#include <cstdio>

#include "image/dib_image.h"
#include "image/texture_makers.h"
#include "support/bmp_writer.h"
#include "support/gl_state.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

std::vector<uint8_t> readBack(GLenum target, GLenum format, size_t bytes)
{
    std::vector<uint8_t> pixels(bytes, 0xCD);
    glGetTexImage(target, 0, format, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

class TextureMakersTest : public testing::Test {
protected:
    TextureMakersTest()
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
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        EXPECT_TRUE(recordedBoxes().empty());
    }
    ScopedWorkingDirectory cwd_{makeTempDir("textures")};
};

} // namespace

TEST_F(TextureMakersTest, LoadTextureUploadsTheDecodedPictureWithMipmapsAndLeavesItBound)
{
    writeFile("Textures/pattern.bmp", patternBmp24(4, 4).bytes());
    GLuint names[3] = {0, 0, 0};
    loadTexture(names, "Textures\\pattern.bmp", 1);
    ASSERT_TRUE(names[0] == 0 && names[1] != 0);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(names[1]));
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_RGB, 4 * 4 * 3), loadDibImage("Textures/pattern.bmp")->data);
    GLint level2Width = -1, minFilter = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &level2Width);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(level2Width, 1);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    glDeleteTextures(1, &names[1]);
}

// Rows of 3 or 9 bytes, which GL's default alignment would pad to 4 or 12;
// the caller's unpack alignment is kept.
TEST_F(TextureMakersTest, RowsThatAreNotWholeWordsUploadUnskewedAndTheUnpackAlignmentIsKept)
{
    std::vector<Rgb> pixels;
    std::vector<uint8_t> bytes;
    for (uint8_t i = 1; i <= 9; ++i) {
        pixels.push_back({i, uint8_t(i + 10), uint8_t(i + 20)});
        bytes.insert(bytes.end(), pixels.back().begin(), pixels.back().end());
    }
    writeFile("column.bmp", pictureBmp(1, 4, pixels).bytes());
    writeFile("square.bmp", pictureBmp(3, 3, pixels).bytes());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    GLuint names[2] = {0, 0};
    loadTexture(names, "column.bmp", 0);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_RGB, 12), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 12));
    EXPECT_EQ(glInteger(GL_UNPACK_ALIGNMENT), 2);
    glGenTextures(1, &names[1]);
    loadCubeMapFace(&names[1], "square.bmp", 0, GL_TEXTURE_CUBE_MAP_POSITIVE_X);
    EXPECT_EQ(readBack(GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_RGB, 27), bytes);
    EXPECT_EQ(glInteger(GL_UNPACK_ALIGNMENT), 2);
    glDeleteTextures(2, names);
}

TEST_F(TextureMakersTest, ColourKeyMakesOnlyExactBlackTransparent)
{
    writeFile("crosshair.bmp", pictureBmp(2, 2, {{0, 0, 1}, {0, 0, 0}, {255, 255, 255}, {1, 0, 0}}).bytes());
    GLuint names[2] = {0, 0};
    loadColorKeyTexture(names, "crosshair.bmp", 1);
    ASSERT_NE(names[1], 0u);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, GL_RGBA, 16),
              (std::vector<uint8_t>{0, 0, 1, 255, 0, 0, 0, 0, 255, 255, 255, 255, 1, 0, 0, 255}));
    glDeleteTextures(1, &names[1]);
}
