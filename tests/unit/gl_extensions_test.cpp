#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>
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
    }
    std::string log() { return std::filesystem::exists("Log.txt") ? readTextFile("Log.txt") : std::string(); }
    std::vector<std::string> boxTexts()
    {
        std::vector<std::string> texts;
        for (auto& box : recordedBoxes())
            texts.push_back(box.caption + ": " + box.text);
        return texts;
    }

    std::filesystem::path dir_ = makeTempDir("ext");
    ScopedWorkingDirectory cwd_{dir_};
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(GlExtensionsTest, NoMultitextureShowsOneBoxAndFetchesNothing)
{
    extensions = "GL_ARB_vertex_buffer_object GL_EXT_framebuffer_object";
    EXPECT_FALSE(GlExtensions::loadMultitextureAndBuffers());
    EXPECT_EQ(boxTexts(), Names{"Error: Multitexturing not supported!"});
    EXPECT_TRUE(fetched.empty());
    EXPECT_FALSE(GlExtensions::multitextureReady());
}

// Each group's extension names gate the whole group: one absent name logs the
// group's message and fetches nothing.
TEST_F(GlExtensionsTest, AnAbsentExtensionNameStopsItsGroupBeforeAnyLookup)
{
    for (const char* absent : {"GL_EXT_framebuffer_object", "GL_ARB_vertex_shader", "GL_ARB_fragment_shader",
                               "GL_ARB_shader_objects", "GL_ARB_shading_language_100"}) {
        extensions = allExtensions;
        extensions.erase(extensions.find(absent), std::strlen(absent));
        std::filesystem::remove("Log.txt");
        fetched.clear();
        const bool framebuffer = std::strcmp(absent, "GL_EXT_framebuffer_object") == 0;
        EXPECT_FALSE(framebuffer ? GlExtensions::loadFramebufferObject() : GlExtensions::loadShaderObjects());
        EXPECT_EQ(log(), framebuffer ? "Error: EXT_framebuffer_object not supported!\n\n"
                                     : "OpenGL Shading Language not supported!\n\n") << absent;
        EXPECT_TRUE(fetched.empty()) << absent;
    }
}

// Every entry point of every group, missing alone: a required one fails its
// group with the group's message, an optional one passes unremarked.
TEST_F(GlExtensionsTest, EachMissingEntryPointFailsItsGroupExactlyWhenRequired)
{
    struct Entry {
        int group;
        const char* name;
        bool required;
    };
    const Entry entries[] = {
#define MULTITEXTURE(member, name, type, required) Entry{0, name, required},
#define FRAMEBUFFER(member, name, type, required) Entry{1, name, required},
#define SHADER(member, name, type, required) Entry{2, name, required},
        VERDAL_MULTITEXTURE_AND_BUFFER_ENTRY_POINTS(MULTITEXTURE)
        VERDAL_FRAMEBUFFER_ENTRY_POINTS(FRAMEBUFFER)
        VERDAL_SHADER_ENTRY_POINTS(SHADER)
    };
    const char* const failures[] = {"Error: VBOs not supported!", "Error: EXT_framebuffer_object entrypoints not found!",
                                    "Not all entrypoints available!"};
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.name);
        missing = {entry.name};
        recordMessageBoxes();
        std::filesystem::remove("Log.txt");
        bool loaded = false;
        std::string reported;
        if (entry.group == 0) {
            loaded = GlExtensions::loadMultitextureAndBuffers() && GlExtensions::buffersReady();
            for (const std::string& text : boxTexts())
                reported += text;
        } else {
            loaded = entry.group == 1 ? GlExtensions::loadFramebufferObject() : GlExtensions::loadShaderObjects();
            reported = log();
        }
        EXPECT_EQ(loaded, !entry.required);
        EXPECT_EQ(reported, entry.required ? failures[entry.group] + std::string(entry.group ? "\n\n" : "") : "");
    }
}

TEST_F(GlExtensionsTest, AFailedReloadLeavesNoEntryPointOfTheOldContext)
{
    ASSERT_TRUE(GlExtensions::loadShaderObjects());
    ASSERT_TRUE(GlExtensions::loadMultitextureAndBuffers());
    ASSERT_TRUE(GlExtensions::loadFramebufferObject());
    extensions = "";
    EXPECT_FALSE(GlExtensions::loadShaderObjects());
    EXPECT_FALSE(GlExtensions::loadMultitextureAndBuffers());
    EXPECT_FALSE(GlExtensions::loadFramebufferObject());
    EXPECT_EQ(GlExtensions::glValidateProgramARB, nullptr);
    EXPECT_EQ(GlExtensions::glUnmapBufferARB, nullptr);
    EXPECT_EQ(GlExtensions::glCheckFramebufferStatusEXT, nullptr);
}
