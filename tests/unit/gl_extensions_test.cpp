#include <gtest/gtest.h>

#include <cstring>
#include <set>

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

} // namespace

// Each group's extension names gate the whole group: one absent name gives the
// group's message (a box for multitexture, log entries for the others) and
// fetches nothing.
TEST_F(GlExtensionsTest, AnAbsentExtensionNameStopsItsGroupBeforeAnyLookup)
{
    const std::pair<const char*, int> names[] = {{"GL_ARB_multitexture", 0}, {"GL_EXT_framebuffer_object", 1},
        {"GL_ARB_vertex_shader", 2}, {"GL_ARB_fragment_shader", 2}, {"GL_ARB_shader_objects", 2},
        {"GL_ARB_shading_language_100", 2}};
    const char* const messages[] = {"Error: Multitexturing not supported!", "Error: EXT_framebuffer_object not supported!\n\n",
                                    "OpenGL Shading Language not supported!\n\n"};
    for (const auto& [absent, group] : names) {
        extensions = allExtensions;
        extensions.erase(extensions.find(absent), std::strlen(absent));
        fetched.clear();
        EXPECT_FALSE(loaders[group]()) << absent;
        EXPECT_EQ(reported(), messages[group]) << absent;
        EXPECT_TRUE(fetched.empty()) << absent;
    }
    EXPECT_FALSE(X::multitextureReady());
}

// The entry points each group looks up, written out here rather than taken
// from the loaders' lists, so that a changed row there shows: each group
// fetches exactly these names, and each one missing alone fails its group
// with the group's message exactly when it is required (R) and passes
// unremarked when optional (o). The framebuffer group needs its own look-up
// of glActiveTextureARB, which the multitexture group keeps.
TEST_F(GlExtensionsTest, EachGroupFetchesItsEntryPointsAndFailsExactlyOnTheRequiredOnes)
{
    const std::vector<std::string> groups[] = {
        {"o glMultiTexCoord1fARB", "o glMultiTexCoord2fARB", "o glMultiTexCoord3fARB", "o glMultiTexCoord4fARB",
         "o glActiveTextureARB", "o glClientActiveTextureARB", "R glGenBuffersARB", "R glBindBufferARB",
         "R glBufferDataARB", "o glDeleteBuffersARB", "o glMapBufferARB", "o glUnmapBufferARB"},
        {"R glIsRenderbufferEXT", "R glBindRenderbufferEXT", "R glDeleteRenderbuffersEXT", "R glGenRenderbuffersEXT",
         "R glRenderbufferStorageEXT", "R glActiveTextureARB", "R glIsFramebufferEXT", "R glBindFramebufferEXT",
         "R glDeleteFramebuffersEXT", "R glGenFramebuffersEXT", "R glFramebufferTexture2DEXT",
         "o glFramebufferRenderbufferEXT", "R glGetFramebufferAttachmentParameterivEXT", "R glGenerateMipmapEXT",
         "R glCheckFramebufferStatusEXT"},
        {"R glCreateProgramObjectARB", "R glCreateShaderObjectARB", "R glShaderSourceARB", "R glCompileShaderARB",
         "R glAttachObjectARB", "R glLinkProgramARB", "R glUseProgramObjectARB", "R glDeleteObjectARB",
         "R glUniform1iARB", "o glUniform1fARB", "R glUniform4fARB", "o glUniform4fvARB", "R glGetUniformLocationARB",
         "R glVertexAttrib4fARB", "R glGetAttribLocationARB", "R glGetObjectParameterivARB", "R glGetInfoLogARB",
         "o glValidateProgramARB"},
    };
    const char* const failures[] = {"Error: VBOs not supported!", "Error: EXT_framebuffer_object entrypoints not found!\n\n",
                                    "Not all entrypoints available!\n\n"};
    for (int group = 0; group < 3; ++group) {
        std::multiset<std::string> expected;
        for (const std::string& entry : groups[group])
            expected.insert(entry.substr(2));
        missing.clear();
        fetched.clear();
        EXPECT_TRUE(loaders[group]()) << group;
        EXPECT_EQ(std::multiset<std::string>(fetched.begin(), fetched.end()), expected) << "group " << group;
        for (const std::string& entry : groups[group]) {
            const bool required = entry[0] == 'R';
            missing = {entry.substr(2)};
            const bool loaded = loaders[group]() && (group != 0 || X::buffersReady());
            EXPECT_EQ(loaded, !required) << entry;
            EXPECT_EQ(reported(), required ? failures[group] : "") << entry;
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
