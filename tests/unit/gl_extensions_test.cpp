#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "gpu/gl_extensions.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

// A driver of our own making: an extension string and a set of names it lacks.
std::string extensions;
std::set<std::string> missing;
std::vector<std::string> fetched;

const char* fakeExtensions() { return extensions.c_str(); }

void dummyEntryPoint() {}

void* fakeLookup(const char* name)
{
    fetched.push_back(name);
    return missing.count(name) ? nullptr : reinterpret_cast<void*>(&dummyEntryPoint);
}

const char* const allExtensions =
    "GL_ARB_multitexture GL_EXT_framebuffer_object GL_ARB_vertex_shader "
    "GL_ARB_fragment_shader GL_ARB_shader_objects GL_ARB_shading_language_100";

class GlExtensionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = makeTempDir("ext");
        cwd_ = std::make_unique<ScopedWorkingDirectory>(dir_);
        extensions = allExtensions;
        missing.clear();
        fetched.clear();
        recordMessageBoxes();
        GlExtensions::setExtensionStringSource(fakeExtensions);
        GlExtensions::setProcLookup(fakeLookup);
    }
    void TearDown() override
    {
        GlExtensions::setExtensionStringSource(nullptr);
        GlExtensions::setProcLookup(nullptr);
        cwd_.reset();
    }
    std::string log() { return readTextFile(dir_ / "Log.txt"); }
    std::vector<std::string> boxTexts()
    {
        std::vector<std::string> texts;
        for (auto& box : recordedBoxes()) {
            EXPECT_EQ(box.caption, "Error");
            EXPECT_EQ(box.style, platform::MessageBoxStyle::ErrorOk);
            texts.push_back(box.text);
        }
        return texts;
    }

    std::filesystem::path dir_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(GlExtensionsTest, MultitextureLoaderFetchesBothGroupsInOrder)
{
    EXPECT_TRUE(GlExtensions::loadMultitextureAndBuffers());
    EXPECT_EQ(fetched, (Names{"glMultiTexCoord1fARB", "glMultiTexCoord2fARB", "glMultiTexCoord3fARB",
                              "glMultiTexCoord4fARB", "glActiveTextureARB", "glClientActiveTextureARB",
                              "glGenBuffersARB", "glBindBufferARB", "glBufferDataARB",
                              "glDeleteBuffersARB", "glMapBufferARB", "glUnmapBufferARB"}));
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_TRUE(GlExtensions::multitextureReady());
    EXPECT_TRUE(GlExtensions::buffersReady());
}

TEST_F(GlExtensionsTest, NoMultitextureShowsOneBoxAndFetchesNothing)
{
    extensions = "GL_ARB_vertex_buffer_object GL_EXT_framebuffer_object";
    EXPECT_FALSE(GlExtensions::loadMultitextureAndBuffers());
    EXPECT_EQ(boxTexts(), Names{"Multitexturing not supported!"});
    EXPECT_TRUE(fetched.empty());
    EXPECT_FALSE(GlExtensions::multitextureReady());
    EXPECT_FALSE(GlExtensions::buffersReady());
}

TEST_F(GlExtensionsTest, EachRequiredBufferEntryPointAloneTriggersTheVboBox)
{
    for (const char* name : {"glGenBuffersARB", "glBindBufferARB", "glBufferDataARB"}) {
        missing = {name};
        recordMessageBoxes();
        EXPECT_TRUE(GlExtensions::loadMultitextureAndBuffers()) << name;
        EXPECT_EQ(boxTexts(), Names{"VBOs not supported!"}) << name;
        EXPECT_FALSE(GlExtensions::buffersReady()) << name;
        EXPECT_TRUE(GlExtensions::multitextureReady()) << name;
    }
    for (const char* name : {"glDeleteBuffersARB", "glMapBufferARB", "glMultiTexCoord2fARB"}) {
        missing = {name};
        recordMessageBoxes();
        EXPECT_TRUE(GlExtensions::loadMultitextureAndBuffers()) << name;
        EXPECT_TRUE(boxTexts().empty()) << name;
    }
}

TEST_F(GlExtensionsTest, ExtensionNamesMatchAsPlainSubstrings)
{
    EXPECT_TRUE(GlExtensions::hasExtension("GL_ARB_multitexture_plus", "GL_ARB_multitexture"));
    EXPECT_TRUE(GlExtensions::hasExtension("XGL_ARB_multitextureX", "GL_ARB_multitexture"));
    EXPECT_FALSE(GlExtensions::hasExtension("gl_arb_multitexture", "GL_ARB_multitexture"));
    EXPECT_FALSE(GlExtensions::hasExtension("", "GL_ARB_multitexture"));
    EXPECT_FALSE(GlExtensions::hasExtension(nullptr, "GL_ARB_multitexture"));

    extensions = "GL_ARB_multitextureXYZ";
    EXPECT_TRUE(GlExtensions::loadMultitextureAndBuffers());
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(GlExtensionsTest, FramebufferLoaderLogsAMissingExtension)
{
    extensions = "GL_ARB_multitexture";
    EXPECT_FALSE(GlExtensions::loadFramebufferObject());
    EXPECT_EQ(log(), "Error: EXT_framebuffer_object not supported!\n\n");
    EXPECT_TRUE(fetched.empty());
    EXPECT_FALSE(GlExtensions::framebufferObjectReady());
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(GlExtensionsTest, FramebufferLoaderFetchesFifteenInOrderAndNeedsAllButOne)
{
    const Names order{"glIsRenderbufferEXT", "glBindRenderbufferEXT", "glDeleteRenderbuffersEXT",
                      "glGenRenderbuffersEXT", "glRenderbufferStorageEXT", "glActiveTextureARB",
                      "glIsFramebufferEXT", "glBindFramebufferEXT", "glDeleteFramebuffersEXT",
                      "glGenFramebuffersEXT", "glFramebufferTexture2DEXT", "glFramebufferRenderbufferEXT",
                      "glGetFramebufferAttachmentParameterivEXT", "glGenerateMipmapEXT",
                      "glCheckFramebufferStatusEXT"};
    EXPECT_TRUE(GlExtensions::loadFramebufferObject());
    EXPECT_EQ(fetched, order);
    EXPECT_TRUE(GlExtensions::framebufferObjectReady());

    for (const std::string& name : order) {
        missing = {name};
        fetched.clear();
        std::filesystem::remove(dir_ / "Log.txt");
        const bool optional = name == "glFramebufferRenderbufferEXT";
        EXPECT_EQ(GlExtensions::loadFramebufferObject(), optional) << name;
        EXPECT_EQ(fetched.size(), order.size()) << name;
        EXPECT_EQ(GlExtensions::framebufferObjectReady(), optional) << name;
        if (!optional) {
            EXPECT_EQ(log(), "Error: EXT_framebuffer_object entrypoints not found!\n\n") << name;
        }
    }
}

TEST_F(GlExtensionsTest, ShaderLoaderNeedsAllFourNames)
{
    for (const char* absent : {"GL_ARB_vertex_shader", "GL_ARB_fragment_shader", "GL_ARB_shader_objects",
                               "GL_ARB_shading_language_100"}) {
        extensions = allExtensions;
        extensions.erase(extensions.find(absent), std::strlen(absent));
        std::filesystem::remove(dir_ / "Log.txt");
        fetched.clear();
        EXPECT_FALSE(GlExtensions::loadShaderObjects()) << absent;
        EXPECT_EQ(log(), "OpenGL Shading Language not supported!\n\n") << absent;
        EXPECT_TRUE(fetched.empty()) << absent;
        EXPECT_FALSE(GlExtensions::shaderObjectsReady());
    }
}

TEST_F(GlExtensionsTest, ShaderLoaderFetchesEighteenAndNeedsAllButThree)
{
    const Names order{"glCreateProgramObjectARB", "glCreateShaderObjectARB", "glShaderSourceARB",
                      "glCompileShaderARB", "glAttachObjectARB", "glLinkProgramARB",
                      "glUseProgramObjectARB", "glDeleteObjectARB", "glUniform1iARB", "glUniform1fARB",
                      "glUniform4fARB", "glUniform4fvARB", "glGetUniformLocationARB",
                      "glVertexAttrib4fARB", "glGetAttribLocationARB", "glGetObjectParameterivARB",
                      "glGetInfoLogARB", "glValidateProgramARB"};
    EXPECT_TRUE(GlExtensions::loadShaderObjects());
    EXPECT_EQ(fetched, order);
    EXPECT_TRUE(GlExtensions::shaderObjectsReady());

    const std::set<std::string> optional{"glUniform1fARB", "glUniform4fvARB", "glValidateProgramARB"};
    for (const std::string& name : order) {
        missing = {name};
        std::filesystem::remove(dir_ / "Log.txt");
        const bool isOptional = optional.count(name) > 0;
        EXPECT_EQ(GlExtensions::loadShaderObjects(), isOptional) << name;
        if (!isOptional) {
            EXPECT_EQ(log(), "Not all entrypoints available!\n\n") << name;
        } else {
            EXPECT_FALSE(std::filesystem::exists(dir_ / "Log.txt")) << name;
        }
    }
}

TEST_F(GlExtensionsTest, AFailedReloadLeavesNoEntryPointOfTheOldContext)
{
    ASSERT_TRUE(GlExtensions::loadShaderObjects());
    ASSERT_TRUE(GlExtensions::loadMultitextureAndBuffers());
    extensions = "";
    EXPECT_FALSE(GlExtensions::loadShaderObjects());
    EXPECT_FALSE(GlExtensions::loadMultitextureAndBuffers());
    EXPECT_EQ(GlExtensions::glCreateProgramObjectARB, nullptr);
    EXPECT_EQ(GlExtensions::glActiveTextureARB, nullptr);
    EXPECT_EQ(GlExtensions::glGenBuffersARB, nullptr);
}
