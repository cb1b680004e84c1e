// ShaderSet against the real driver: what each build outcome logs, what the
// slot then holds, uniforms reaching the pixels, and release.
#include <gtest/gtest.h>

#include "gpu/gl_extensions.h"
#include "gpu/shader_set.h"
#include "support/gl_state.h"
#include "support/test_files.h"

using namespace testing_support;
using X = GlExtensions;

namespace {

// Every entry a build writes names its slot as " ID: "; one build, one entry.
int buildEntries(const std::string& log)
{
    int count = 0;
    for (size_t at = log.find(" ID: "); at != std::string::npos; at = log.find(" ID: ", at + 1))
        ++count;
    return count;
}

GLint objectParameter(GLhandleARB object, GLenum name)
{
    GLint value = -1;
    X::glGetObjectParameterivARB(object, name, &value);
    return value;
}

class ShaderSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlExtensions::loadShaderObjects());
        writeFile("Shader/good.vsh", "void main()\n{\n    gl_Position = ftransform();\n}\n");
        writeFile("Shader/good.fsh", "uniform vec4 color;\nuniform float gain;\nuniform int useGain;\n"
                                     "void main()\n{\n    vec4 c = color;\n    if (useGain == 1) c.rgb *= gain;\n"
                                     "    gl_FragColor = c;\n}\n");
        writeFile("Shader/broken.vsh", "void main( {\n");
        writeFile("Shader/broken.fsh", "void main( {\n");
        // Compiles, but nothing defines helper(): only the linker can tell.
        writeFile("Shader/unresolved.vsh", "void helper();\nvoid main()\n{\n    helper();\n    gl_Position = ftransform();\n}\n");
    }
    void TearDown() override
    {
        shaders_.release();
        EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // Each test runs in a fresh directory, so the log holds only its own entries.
    ScopedWorkingDirectory cwd_{makeTempDir("shaders")};
    ShaderSet shaders_;
};

} // namespace

// Each outcome of a build writes exactly one entry of its own kind, and the
// build stops where it failed: the later shader is never compiled, nothing is
// attached after a failed compile, an unlinked program is never made current.
TEST_F(ShaderSetTest, EachBuildOutcomeLogsOneEntryAndStopsWhereItFailed)
{
    const struct {
        const char *vertex, *fragment, *entry;
        bool fragmentCompiled, attached, current;
        const char* driverWords;
    } cases[] = {
        {"Shader/good.vsh", "Shader/good.fsh", "Shader Validation ID: 2: ", true, true, true, ""},
        {"Shader/broken.vsh", "Shader/good.fsh", "VS Compiling Error! ID: 2: ", false, false, false, "error"},
        {"Shader/good.vsh", "Shader/broken.fsh", "PS Compiling Error! ID: 2: ", false, false, false, "error"},
        {"Shader/unresolved.vsh", "Shader/good.fsh", "Shader Linker Error! ID: 2: ", true, true, false, "helper"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        std::filesystem::remove("Log.txt");
        shaders_.allocate(3);
        X::glUseProgramObjectARB(0);
        shaders_.load(2, c.vertex, c.fragment);
        const std::string log = readTextFile("Log.txt");
        EXPECT_TRUE(log.starts_with(c.entry) && log.find(c.driverWords) != std::string::npos) << log;
        EXPECT_EQ(buildEntries(log), 1) << log;
        EXPECT_EQ(objectParameter(shaders_.fragmentShader(2), GL_OBJECT_COMPILE_STATUS_ARB), c.fragmentCompiled);
        EXPECT_EQ(objectParameter(shaders_.program(2), GL_OBJECT_ATTACHED_OBJECTS_ARB), c.attached ? 2 : 0);
        EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), c.current ? static_cast<GLint>(shaders_.program(2)) : 0);
        EXPECT_EQ(shaders_.program(0), 0u) << "other slots stay empty";
        shaders_.release();
    }
}

TEST_F(ShaderSetTest, MissingFilesAreNamedFragmentFirstAndTheSlotStillBuilds)
{
    shaders_.allocate(1);
    shaders_.load(0, "Shader/none.vsh", "Shader/none.fsh");
    const std::string log = readTextFile("Log.txt");
    const std::string start = "ERROR: Can't find shaderfile: Shader/none.fsh\n\nERROR: Can't find shaderfile: Shader/none.vsh\n\n";
    ASSERT_TRUE(log.starts_with(start)) << log;
    EXPECT_EQ(buildEntries(log.substr(start.size())), 1) << log;
}

// Values reach the pixels; a name the program lacks changes nothing, logs
// nothing and raises no GL error.
TEST_F(ShaderSetTest, UniformSettersReachTheProgramAndUnknownNamesChangeNothing)
{
    shaders_.allocate(1);
    shaders_.load(0, "Shader/good.vsh", "Shader/good.fsh");
    const auto drawnColour = [this] {
        shaders_.use(0);
        glRectf(-1, -1, 1, 1);
        return readRgba(8, 8, 1, 1);
    };
    shaders_.use(0);
    shaders_.setUniform4f(0, "color", 1.0f, 0.0f, 0.5f, 1.0f);
    shaders_.setUniform1i(0, "useGain", 1);
    shaders_.setUniform1f(0, "gain", 0.5f);
    EXPECT_EQ(drawnColour(), (std::vector<unsigned char>{128, 0, 64, 255}));

    const std::string log = readTextFile("Log.txt");
    shaders_.setUniform4f(0, "colour", 0.0f, 1.0f, 0.0f, 1.0f);
    shaders_.setUniform1f(0, "nothing", 3.0f);
    shaders_.setUniform1i(0, nullptr, 7);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(readTextFile("Log.txt"), log);
    EXPECT_EQ(drawnColour(), (std::vector<unsigned char>{128, 0, 64, 255}));
}
