// RenderTargets against the real driver: the formats, wraps and attachments GL
// ends up holding, the status log, drawing into a target, and release.
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gpu/gl_extensions.h"
#include "gpu/render_targets.h"
#include "support/test_files.h"

using namespace testing_support;
using X = GlExtensions;

namespace {

GLint integer(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

GLint texParameter(GLuint texture, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint texLevelParameter(GLuint texture, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

// Type and name of what is attached at `attachment` of the bound framebuffer.
std::array<GLint, 2> attached(GLenum attachment)
{
    std::array<GLint, 2> value{-1, -1};
    X::glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, attachment,
                                                GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT, &value[0]);
    if (value[0] != GL_NONE)
        X::glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, attachment,
                                                    GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT, &value[1]);
    else
        value[1] = 0;
    return value;
}

GLint renderbufferParameter(GLuint renderbuffer, GLenum name)
{
    using Fn = void (*)(GLenum, GLenum, GLint*);
    static const auto get = reinterpret_cast<Fn>(platform::getGlProcAddress("glGetRenderbufferParameterivEXT"));
    X::glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, renderbuffer);
    GLint value = -1;
    get(GL_RENDERBUFFER_EXT, name, &value);
    return value;
}

// Each test runs in a fresh directory, so the log holds only its own entries.
std::string logged() { return readTextFile("Log.txt"); }

std::string repeated(const std::string& entry, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += entry;
    return text;
}

class RenderTargetsTest : public testing::Test {
protected:
    void TearDown() override
    {
        targets_.unbind();
        targets_.release();
        glBindTexture(GL_TEXTURE_2D, 0);
        if (X::glBindRenderbufferEXT)
            X::glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
        glViewport(0, 0, 256, 256);
        glClearColor(0, 0, 0, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    std::filesystem::path dir_ = makeTempDir("targets");
    ScopedWorkingDirectory cwd_{dir_};
    RenderTargets targets_;
};

TEST_F(RenderTargetsTest, TheDemosTargetsAreCompleteAndLogSo)
{
    ASSERT_TRUE(targets_.init(5));
    EXPECT_TRUE(targets_.create(0, 2048, RenderTargets::KindDepth));
    EXPECT_TRUE(targets_.create(1, 1024, RenderTargets::KindRgba));
    EXPECT_TRUE(targets_.create(2, 512, RenderTargets::KindRgba));
    EXPECT_TRUE(targets_.create(4, 512, RenderTargets::KindRgba));
    EXPECT_TRUE(targets_.create(3, 2048, RenderTargets::KindRgba));
    EXPECT_EQ(logged(), repeated("Framebuffer Complete\n\n", 5));

    // The shadow map: a depth texture as the only attachment, no colour buffers.
    EXPECT_EQ(targets_.size(0), 2048);
    EXPECT_EQ(targets_.renderbuffer(0), 0u);
    EXPECT_EQ(texLevelParameter(targets_.texture(0), GL_TEXTURE_WIDTH), 2048);
    EXPECT_GT(texLevelParameter(targets_.texture(0), GL_TEXTURE_DEPTH_SIZE), 0);
    EXPECT_EQ(texParameter(targets_.texture(0), GL_TEXTURE_WRAP_S), GL_CLAMP);
    targets_.bind(0);
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING_EXT), static_cast<GLint>(targets_.framebuffer(0)));
    EXPECT_EQ(attached(GL_DEPTH_ATTACHMENT_EXT), (std::array<GLint, 2>{GL_TEXTURE, GLint(targets_.texture(0))}));
    EXPECT_EQ(attached(GL_COLOR_ATTACHMENT0_EXT), (std::array<GLint, 2>{GL_NONE, 0}));
    EXPECT_EQ(integer(GL_DRAW_BUFFER), GL_NONE);
    EXPECT_EQ(integer(GL_READ_BUFFER), GL_NONE);

    // A colour target: RGBA texture with repeat, a depth renderbuffer of its size.
    for (int slot : {1, 2, 4, 3}) {
        SCOPED_TRACE(slot);
        const GLuint texture = targets_.texture(slot);
        const GLint size = targets_.size(slot);
        EXPECT_EQ(texLevelParameter(texture, GL_TEXTURE_WIDTH), size);
        EXPECT_GT(texLevelParameter(texture, GL_TEXTURE_ALPHA_SIZE), 0);
        EXPECT_EQ(texParameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
        targets_.bind(slot);
        EXPECT_EQ(attached(GL_COLOR_ATTACHMENT0_EXT), (std::array<GLint, 2>{GL_TEXTURE, GLint(texture)}));
        EXPECT_EQ(attached(GL_DEPTH_ATTACHMENT_EXT),
                  (std::array<GLint, 2>{GL_RENDERBUFFER_EXT, GLint(targets_.renderbuffer(slot))}));
        EXPECT_EQ(integer(GL_DRAW_BUFFER), GL_COLOR_ATTACHMENT0_EXT);
        EXPECT_EQ(renderbufferParameter(targets_.renderbuffer(slot), GL_RENDERBUFFER_WIDTH_EXT), size);
    }
    targets_.unbind();
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING_EXT), 0);
}

TEST_F(RenderTargetsTest, ReleaseDeletesEverythingOnceAndInitStartsAfresh)
{
    ASSERT_TRUE(targets_.init(3));
    ASSERT_TRUE(targets_.create(0, 128, RenderTargets::KindDepth));
    ASSERT_TRUE(targets_.create(2, 128, RenderTargets::KindRgba));  // slot 1 never created
    const std::vector<GLuint> textures{targets_.texture(0), targets_.texture(2)};
    const std::vector<GLuint> framebuffers{targets_.framebuffer(0), targets_.framebuffer(2)};
    const GLuint renderbuffer = targets_.renderbuffer(2);

    targets_.release();
    for (GLuint texture : textures)
        EXPECT_FALSE(glIsTexture(texture));
    for (GLuint framebuffer : framebuffers)
        EXPECT_FALSE(X::glIsFramebufferEXT(framebuffer));
    EXPECT_FALSE(X::glIsRenderbufferEXT(renderbuffer));
    EXPECT_EQ(targets_.texture(2), 0u) << "a stale name could be someone else's after release";

    // Names freed above may be handed out again; a second release must spare them.
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
    const GLint tooLarge = integer(GL_MAX_TEXTURE_SIZE) * 2;
    EXPECT_FALSE(targets_.create(0, tooLarge, RenderTargets::KindRgba));
    const std::string log = logged();
    const std::string errorEntry = std::string(reinterpret_cast<const char*>(gluErrorString(GL_INVALID_VALUE))) + "\n\n";
    ASSERT_GE(log.size(), errorEntry.size());
    EXPECT_EQ(log.substr(log.size() - errorEntry.size()), errorEntry) << log;
    EXPECT_EQ(targets_.size(0), tooLarge) << "size and kind are kept whatever happened";
    while (glGetError() != GL_NO_ERROR) {
    }
}

} // namespace
