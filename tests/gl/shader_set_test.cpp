// ShaderSet against the real driver: what each build outcome logs, what the
// slot then holds, uniforms reaching the pixels, and release.
#include <array>
#include <string>

#include <gtest/gtest.h>

#include "gpu/gl_extensions.h"
#include "gpu/shader_set.h"
#include "support/test_files.h"

using namespace testing_support;
using X = GlExtensions;

namespace {

const char* const goodVertex =
    "void main()\n{\n    gl_Position = ftransform();\n}\n";
const char* const goodFragment =
    "uniform vec4 color;\n"
    "uniform float gain;\n"
    "uniform int useGain;\n"
    "void main()\n{\n"
    "    vec4 c = color;\n"
    "    if (useGain == 1) c.rgb *= gain;\n"
    "    gl_FragColor = c;\n"
    "}\n";
const char* const brokenSource = "void main( {\n";
// Compiles, but nothing defines helper(): only the linker can tell.
const char* const unresolvedVertex =
    "void helper();\nvoid main()\n{\n    helper();\n    gl_Position = ftransform();\n}\n";

// Every entry a build writes names its slot as " ID: "; one build, one entry.
int buildEntries(const std::string& log)
{
    int count = 0;
    for (std::size_t at = log.find(" ID: "); at != std::string::npos; at = log.find(" ID: ", at + 1))
        ++count;
    return count;
}

// Each test runs in a fresh directory, so the log holds only its own entries.
std::string logged() { return readTextFile("Log.txt"); }

GLint objectParameter(GLhandleARB object, GLenum name)
{
    GLint value = -1;
    X::glGetObjectParameterivARB(object, name, &value);
    return value;
}

void makeNoProgramCurrent() { X::glUseProgramObjectARB(0); }

GLint currentProgram()
{
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return program;
}

class ShaderSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GlExtensions::loadShaderObjects());
        writeFile("Shader/good.vsh", goodVertex);
        writeFile("Shader/good.fsh", goodFragment);
        writeFile("Shader/broken.vsh", brokenSource);
        writeFile("Shader/broken.fsh", brokenSource);
        writeFile("Shader/unresolved.vsh", unresolvedVertex);
    }

    void TearDown() override
    {
        shaders_.release();
        EXPECT_EQ(currentProgram(), 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    std::filesystem::path dir_ = makeTempDir("shaders");
    ScopedWorkingDirectory cwd_{dir_};
    ShaderSet shaders_;
};

// Each outcome of a build writes exactly one entry of its own kind, and the
// build stops where it failed: the later shader is never compiled, nothing is
// attached after a failed compile, an unlinked program is never made current.
TEST_F(ShaderSetTest, EachBuildOutcomeLogsOneEntryAndStopsWhereItFailed)
{
    const struct {
        const char* vertex;
        const char* fragment;
        const char* entry;
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
        makeNoProgramCurrent();
        shaders_.load(2, c.vertex, c.fragment);
        const std::string log = logged();
        EXPECT_EQ(log.rfind(c.entry, 0), 0u) << log;
        EXPECT_NE(log.find(c.driverWords), std::string::npos) << log;
        EXPECT_EQ(buildEntries(log), 1) << log;
        EXPECT_EQ(objectParameter(shaders_.fragmentShader(2), GL_OBJECT_COMPILE_STATUS_ARB), c.fragmentCompiled);
        EXPECT_EQ(objectParameter(shaders_.program(2), GL_OBJECT_ATTACHED_OBJECTS_ARB), c.attached ? 2 : 0);
        EXPECT_EQ(currentProgram(), c.current ? static_cast<GLint>(shaders_.program(2)) : 0);
        EXPECT_EQ(shaders_.program(0), 0u) << "other slots stay empty";
        shaders_.release();
    }
}

TEST_F(ShaderSetTest, MissingFilesAreNamedFragmentFirstAndTheSlotStillBuilds)
{
    shaders_.allocate(1);
    shaders_.load(0, "Shader/none.vsh", "Shader/none.fsh");
    const std::string log = logged();
    const std::string expectedStart =
        "ERROR: Can't find shaderfile: Shader/none.fsh\n\nERROR: Can't find shaderfile: Shader/none.vsh\n\n";
    ASSERT_EQ(log.rfind(expectedStart, 0), 0u) << log;
    EXPECT_EQ(buildEntries(log.substr(expectedStart.size())), 1) << log;
}

class ShaderUniformTest : public ShaderSetTest {
protected:
    void SetUp() override
    {
        ShaderSetTest::SetUp();
        shaders_.allocate(1);
        shaders_.load(0, "Shader/good.vsh", "Shader/good.fsh");
        ASSERT_EQ(currentProgram(), static_cast<GLint>(shaders_.program(0)));
    }

    // Fills the window with the program of slot 0 and reads a pixel.
    std::array<int, 4> drawnColour()
    {
        shaders_.use(0);
        glRectf(-1, -1, 1, 1);
        unsigned char pixel[4] = {};
        glReadPixels(8, 8, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        return {pixel[0], pixel[1], pixel[2], pixel[3]};
    }
};

// Values reach the pixels; a name the program lacks changes nothing, logs
// nothing and raises no GL error.
TEST_F(ShaderUniformTest, SettersReachTheProgramAndUnknownNamesChangeNothing)
{
    shaders_.use(0);
    shaders_.setUniform4f(0, "color", 1.0f, 0.0f, 0.5f, 1.0f);
    shaders_.setUniform1i(0, "useGain", 1);
    shaders_.setUniform1f(0, "gain", 0.5f);
    EXPECT_EQ(drawnColour(), (std::array<int, 4>{128, 0, 64, 255}));

    const std::size_t logSize = readTextFile("Log.txt").size();
    shaders_.setUniform4f(0, "colour", 0.0f, 1.0f, 0.0f, 1.0f);
    shaders_.setUniform1f(0, "nothing", 3.0f);
    shaders_.setUniform1i(0, nullptr, 7);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(readTextFile("Log.txt").size(), logSize);
    EXPECT_EQ(drawnColour(), (std::array<int, 4>{128, 0, 64, 255}));
}

} // namespace
