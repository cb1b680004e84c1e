#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <sstream>

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

using X = GlExtensions;

class GlExtensionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        extensions = allExtensions;
        missing.clear();
        fetched.clear();
        recordMessageBoxes();
        X::setExtensionStringSource(fakeExtensions);
        X::setProcLookup(fakeLookup);
    }
    void TearDown() override
    {
        X::setExtensionStringSource(nullptr);
        X::setProcLookup(nullptr);
    }
    // What loading reported since the last call: the boxes ("caption: text"), then the log.
    static std::string reported()
    {
        std::string text;
        for (const auto& box : recordedBoxes())
            text += box.caption + ": " + box.text;
        text += std::filesystem::exists("Log.txt") ? readTextFile("Log.txt") : "";
        recordMessageBoxes();
        std::filesystem::remove("Log.txt");
        return text;
    }

    ScopedWorkingDirectory cwd_{makeTempDir("ext")};
};

bool (*const loaders[])() = {X::loadMultitextureAndBuffers, X::loadFramebufferObject, X::loadShaderObjects};

std::vector<std::string> words(const char* text)
{
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

} // namespace

// Each group as the driver must offer it, written out here rather than taken
// from the loaders' lists, so that a changed row there shows. One absent
// extension name fails the group with its message before any look-up; with
// all there, the group fetches exactly its entry points, and one missing
// alone fails it with its message exactly when it is required (*). The
// framebuffer group looks up its own copy of glActiveTextureARB.
TEST_F(GlExtensionsTest, EachGroupNeedsItsExtensionsAndFetchesItsEntryPointsFailingOnTheRequiredOnes)
{
    const struct {
        const char *extensions, *entryPoints, *absent, *missing;
    } groups[] = {
        {"GL_ARB_multitexture",
         "glMultiTexCoord1fARB glMultiTexCoord2fARB glMultiTexCoord3fARB glMultiTexCoord4fARB glActiveTextureARB "
         "glClientActiveTextureARB *glGenBuffersARB *glBindBufferARB *glBufferDataARB glDeleteBuffersARB glMapBufferARB "
         "glUnmapBufferARB",
         "Error: Multitexturing not supported!", "Error: VBOs not supported!"},
        {"GL_EXT_framebuffer_object",
         "*glIsRenderbufferEXT *glBindRenderbufferEXT *glDeleteRenderbuffersEXT *glGenRenderbuffersEXT "
         "*glRenderbufferStorageEXT *glActiveTextureARB *glIsFramebufferEXT *glBindFramebufferEXT *glDeleteFramebuffersEXT "
         "*glGenFramebuffersEXT *glFramebufferTexture2DEXT glFramebufferRenderbufferEXT "
         "*glGetFramebufferAttachmentParameterivEXT *glGenerateMipmapEXT *glCheckFramebufferStatusEXT",
         "Error: EXT_framebuffer_object not supported!\n\n", "Error: EXT_framebuffer_object entrypoints not found!\n\n"},
        {"GL_ARB_vertex_shader GL_ARB_fragment_shader GL_ARB_shader_objects GL_ARB_shading_language_100",
         "*glCreateProgramObjectARB *glCreateShaderObjectARB *glShaderSourceARB *glCompileShaderARB *glAttachObjectARB "
         "*glLinkProgramARB *glUseProgramObjectARB *glDeleteObjectARB *glUniform1iARB glUniform1fARB *glUniform4fARB "
         "glUniform4fvARB *glGetUniformLocationARB *glVertexAttrib4fARB *glGetAttribLocationARB "
         "*glGetObjectParameterivARB *glGetInfoLogARB glValidateProgramARB",
         "OpenGL Shading Language not supported!\n\n", "Not all entrypoints available!\n\n"},
    };
    for (int group = 0; group < 3; ++group) {
        for (const std::string& absent : words(groups[group].extensions)) {
            extensions = allExtensions;
            extensions.erase(extensions.find(absent), absent.size());
            fetched.clear();
            EXPECT_FALSE(loaders[group]()) << absent;
            EXPECT_EQ(reported(), groups[group].absent) << absent;
            EXPECT_TRUE(fetched.empty()) << absent;
        }
        extensions = allExtensions;
        std::multiset<std::string> names;
        for (const std::string& entry : words(groups[group].entryPoints))
            names.insert(entry.substr(entry[0] == '*'));
        missing.clear();
        fetched.clear();
        EXPECT_TRUE(loaders[group]()) << group;
        EXPECT_EQ(std::multiset<std::string>(fetched.begin(), fetched.end()), names) << "group " << group;
        for (const std::string& entry : words(groups[group].entryPoints)) {
            missing = {entry.substr(entry[0] == '*')};
            const bool loaded = loaders[group]() && (group != 0 || X::buffersReady());
            EXPECT_EQ(loaded, entry[0] != '*') << entry;
            EXPECT_EQ(reported(), entry[0] == '*' ? groups[group].missing : "") << entry;
        }
    }
}

TEST_F(GlExtensionsTest, AFailedReloadLeavesNoEntryPointOfTheOldContext)
{
    for (auto load : loaders)
        ASSERT_TRUE(load());
    extensions = "";
    for (auto load : loaders)
        EXPECT_FALSE(load());
    EXPECT_EQ(X::glValidateProgramARB, nullptr);
    EXPECT_EQ(X::glUnmapBufferARB, nullptr);
    EXPECT_EQ(X::glCheckFramebufferStatusEXT, nullptr);
}
