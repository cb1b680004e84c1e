// RenderTargets against the real driver: the formats, wraps and attachments GL
// ends up holding, the status log, and release.
#include <gtest/gtest.h>

#include <array>

#include "gpu/gl_extensions.h"
#include "gpu/render_targets.h"
#include "support/gl_state.h"
#include "support/test_files.h"

using namespace testing_support;
using X = GlExtensions;

namespace {

// A parameter of a texture (GL_TEXTURE_WRAP_S) or of its level 0 (anything else).
GLint texParameter(GLuint texture, GLenum name)
{
    GLint value = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    if (name == GL_TEXTURE_WRAP_S)
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    else
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

// Type and name of what is attached at `attachment` of the bound framebuffer.
std::array<GLint, 2> attached(GLenum attachment)
{
    std::array<GLint, 2> value{-1, 0};
    X::glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, attachment, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT,
                                                &value[0]);
    if (value[0] != GL_NONE)
        X::glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, attachment,
                                                    GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT, &value[1]);
    return value;
}

class RenderTargetsTest : public testing::Test {
protected:
    void TearDown() override
    {
        targets_.unbind();
        targets_.release();
        glBindTexture(GL_TEXTURE_2D, 0);
        X::glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // Each test runs in a fresh directory, so the log holds only its own entries.
    ScopedWorkingDirectory cwd_{makeTempDir("targets")};
    RenderTargets targets_;
};

} // namespace

TEST_F(RenderTargetsTest, TheDemosTargetsAreCompleteAndLogSo)
{
    ASSERT_TRUE(targets_.init(5));
    EXPECT_TRUE(targets_.create(0, 2048, RenderTargets::KindDepth));
    for (auto [slot, size] : {std::pair{1, 1024}, {2, 512}, {4, 512}, {3, 2048}})
        EXPECT_TRUE(targets_.create(slot, size, RenderTargets::KindRgba));
    std::string fiveTimes;
    for (int i = 0; i < 5; ++i)
        fiveTimes += "Framebuffer Complete\n\n";
    EXPECT_EQ(readTextFile("Log.txt"), fiveTimes);

    // The shadow map: a depth texture as the only attachment, no colour buffers.
    EXPECT_EQ(targets_.renderbuffer(0), 0u);
    EXPECT_EQ(texParameter(targets_.texture(0), GL_TEXTURE_WIDTH), 2048);
    EXPECT_GT(texParameter(targets_.texture(0), GL_TEXTURE_DEPTH_SIZE), 0);
    EXPECT_EQ(texParameter(targets_.texture(0), GL_TEXTURE_WRAP_S), GL_CLAMP);
    targets_.bind(0);
    EXPECT_EQ(glInteger(GL_FRAMEBUFFER_BINDING_EXT), static_cast<GLint>(targets_.framebuffer(0)));
    EXPECT_EQ(attached(GL_DEPTH_ATTACHMENT_EXT), (std::array<GLint, 2>{GL_TEXTURE, GLint(targets_.texture(0))}));
    EXPECT_EQ(attached(GL_COLOR_ATTACHMENT0_EXT), (std::array<GLint, 2>{GL_NONE, 0}));
    EXPECT_EQ(glInteger(GL_DRAW_BUFFER), GL_NONE);
    EXPECT_EQ(glInteger(GL_READ_BUFFER), GL_NONE);

    // A colour target: RGBA texture with repeat, a depth renderbuffer of its size.
    X::loadDiagnostics();
    for (int slot : {1, 2, 4, 3}) {
        SCOPED_TRACE(slot);
        const GLuint texture = targets_.texture(slot), renderbuffer = targets_.renderbuffer(slot);
        EXPECT_EQ(texParameter(texture, GL_TEXTURE_WIDTH), targets_.size(slot));
        EXPECT_GT(texParameter(texture, GL_TEXTURE_ALPHA_SIZE), 0);
        EXPECT_EQ(texParameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
        targets_.bind(slot);
        EXPECT_EQ(attached(GL_COLOR_ATTACHMENT0_EXT), (std::array<GLint, 2>{GL_TEXTURE, GLint(texture)}));
        EXPECT_EQ(attached(GL_DEPTH_ATTACHMENT_EXT), (std::array<GLint, 2>{GL_RENDERBUFFER_EXT, GLint(renderbuffer)}));
        EXPECT_EQ(glInteger(GL_DRAW_BUFFER), GL_COLOR_ATTACHMENT0_EXT);
        GLint width = -1;
        X::glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, renderbuffer);
        X::glGetRenderbufferParameterivEXT(GL_RENDERBUFFER_EXT, GL_RENDERBUFFER_WIDTH_EXT, &width);
        EXPECT_EQ(width, targets_.size(slot));
    }
    targets_.unbind();
    EXPECT_EQ(glInteger(GL_FRAMEBUFFER_BINDING_EXT), 0);
}

// That release frees every object is the demo cycle's teardown check; a
// second release must spare the names handed out again since.
TEST_F(RenderTargetsTest, ASecondReleaseSparesNamesHandedOutAgain)
{
    ASSERT_TRUE(targets_.init(3));
    ASSERT_TRUE(targets_.create(0, 128, RenderTargets::KindDepth));
    ASSERT_TRUE(targets_.create(2, 128, RenderTargets::KindRgba));  // slot 1 never created
    targets_.release();
    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    targets_.release();
    EXPECT_TRUE(glIsTexture(other));
    glDeleteTextures(1, &other);
}

TEST_F(RenderTargetsTest, AGlErrorIsLoggedByItsTextAndFailsCreate)
{
    ASSERT_TRUE(targets_.init(1));
    EXPECT_FALSE(targets_.create(0, glInteger(GL_MAX_TEXTURE_SIZE) * 2, RenderTargets::KindRgba));
    const std::string log = readTextFile("Log.txt");
    const std::string errorEntry = reinterpret_cast<const char*>(gluErrorString(GL_INVALID_VALUE)) + std::string("\n\n");
    EXPECT_TRUE(log.ends_with(errorEntry)) << log;
    while (glGetError() != GL_NO_ERROR) {
    }
}
