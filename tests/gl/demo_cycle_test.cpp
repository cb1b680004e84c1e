// The whole demo in the headless context on the data the build generated:
// start-up, frames and teardown, with window cycles repeated as a fullscreen
// switch repeats them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "app/app_window.h"
#include "app/entry.h"
#include "app/frame_hooks.h"
#include "camera/mouse_screen.h"
#include "demo/demo_state.h"
#include "demo/instrumentation.h"
#include "gpu/texture_units.h"
#include "image/dib_image.h"
#include "support/gl_state.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

// Every GL name alive, by kind, probed over a generous range.
std::vector<std::set<GLuint>> liveObjects()
{
    using IsFn = GLboolean(APIENTRY*)(GLuint);
    using X = GlExtensions;
    const IsFn probes[] = {glIsTexture, glIsList, X::glIsBuffer, X::glIsProgram, X::glIsShader,
                           X::glIsFramebufferEXT, X::glIsRenderbufferEXT};
    std::vector<std::set<GLuint>> live(std::size(probes));
    for (size_t kind = 0; kind < live.size(); ++kind)
        for (GLuint name = 1; name < 3000; ++name)
            if (probes[kind](name))
                live[kind].insert(name);
    return live;
}

// The log's progress lines, framebuffer status and shader reports (without
// the driver's text), and anything reporting an error, in order.
std::vector<std::string> storyLines(const std::string& log)
{
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        if (line.ends_with("...") || line == "Framebuffer Complete" || line.find("rror") != std::string::npos)
            lines.push_back(line);
        else if (line.starts_with("Shader Validation ID: "))
            lines.push_back(line.substr(0, line.find(':', 22) + 1));
    }
    return lines;
}

// The frame record: before each scene mesh a pass draws, where it draws (the
// render-target slot bound, -1 for the window, and the viewport's width),
// whether the world is mirrored, which faces are culled and which program
// draws; after each pass, what it hands on to the next.
std::vector<std::string> frameRecord;

// The slot whose GL object is bound now, or `nothing` when none is.
template <typename ObjectOfSlot>
std::string slotBound(GLenum binding, int slots, ObjectOfSlot objectOf, const char* nothing)
{
    const GLuint bound = static_cast<GLuint>(glInteger(binding));
    for (int slot = 0; slot < slots && bound != 0; ++slot)
        if (bound == objectOf(slot))
            return std::to_string(slot);
    return bound == 0 ? nothing : "unknown";
}
std::string targetSlot()
{
    return slotBound(GL_FRAMEBUFFER_BINDING_EXT, TargetSlot::Count, [](int s) { return renderTargets.framebuffer(s); }, "-1");
}
std::string programSlot()
{
    return slotBound(GL_CURRENT_PROGRAM, ProgramSlot::Count, [](int s) { return GLuint(shaders.program(s)); }, "none");
}
std::string culling()
{
    return !glIsEnabled(GL_CULL_FACE) ? "off" : glInteger(GL_CULL_FACE_MODE) == GL_FRONT ? "front" : "back";
}

void recordMeshDraw(const char* mesh)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLfloat m[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const float determinant = m[0] * (m[5] * m[10] - m[6] * m[9]) - m[4] * (m[1] * m[10] - m[2] * m[9])
        + m[8] * (m[1] * m[6] - m[2] * m[5]);
    frameRecord.push_back(std::string(mesh) + ": target " + targetSlot() + " at " + std::to_string(viewport[2])
                          + (determinant < 0 ? " mirrored" : "") + ", cull " + culling() + ", program " + programSlot());
}

void recordPassEnd(const char* pass)
{
    frameRecord.push_back("after " + std::string(pass) + ": target " + targetSlot() + ", unit "
                          + std::to_string(glInteger(GL_ACTIVE_TEXTURE_ARB) - GL_TEXTURE0_ARB) + ", cull " + culling()
                          + ", program " + programSlot() + (glIsEnabled(GL_ALPHA_TEST) ? ", alpha test" : "")
                          + (glIsEnabled(GL_DEPTH_TEST) ? "" : ", no depth test")
                          + (glIsEnabled(GL_SCISSOR_TEST) ? ", scissor" : ""));
}

// The first frame of a window cycle renders the shadow map first, with the
// light's program that start-up left current.
const std::vector<std::string> shadowPass = {
    "main: target 0 at 2048, cull back, program 6",
    "leaves: target 0 at 2048, cull off, program 6",
    "meadow: target 0 at 2048, cull off, program 6",
    "after shadow: target -1, unit 0, cull back, program 6",
};
// What every frame does after the shadow pass. The scene pass draws the main
// scenery in two parts: what is not wholly under the water, then, after the
// water, what is.
const std::vector<std::string> framePasses = {
    "main: target 2 at 512, cull back, program 4",
    "after refraction: target -1, unit 0, cull back, program none",
    "reflection: target 4 at 512 mirrored, cull front, program 0",
    "leaves: target 4 at 512 mirrored, cull off, program 2",
    "meadow: target 4 at 512 mirrored, cull off, program 2",
    "after reflection: target -1, unit 0, cull back, program none",
    "main: target 1 at 1024, cull back, program 0",
    "main: target 1 at 1024, cull back, program 0",
    "leaves: target 1 at 1024, cull off, program 2",
    "meadow: target 1 at 1024, cull off, program 2",
    "after scene: target -1, unit 0, cull back, program none",
    "after composition: target -1, unit 0, cull back, program none",
    "after overlay: target -1, unit 0, cull back, program none",
};

uint64_t debugErrors = 0;
void GLAPIENTRY countErrors(GLenum, GLenum type, GLuint, GLenum, GLsizei, const GLchar*, const void*)
{
    debugErrors += type == GL_DEBUG_TYPE_ERROR;
}

class DemoCycleTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* runDir = std::getenv("VERDAL_RUN_DIR");
        ASSERT_NE(runDir, nullptr) << "VERDAL_RUN_DIR names the generated data";
        for (const char* sub : {"Scene", "Shader", "Textures"})
            std::filesystem::create_directory_symlink(std::filesystem::path(runDir) / sub, sub);
        screenWidth = mouseScreenWidth = screenHeight = mouseScreenHeight = 256;
        window_.keys = &keys_;
        window_.width = window_.height = 256;
        glEnable(GL_DEBUG_OUTPUT);
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
        GlExtensions::loadDiagnostics();
        GlExtensions::glDebugMessageCallback(countErrors, nullptr);
        debugErrors = 0;
        GlExtensions::loadFramebufferObject();
        before_ = liveObjects();
        demoInstrumentation.meshDrawBegins = recordMeshDraw;
        demoInstrumentation.passEnds = recordPassEnd;
    }

    // The other GL tests share this context: it goes back as GL starts out,
    // without the fixed state, matrices and bindings a demo cycle leaves.
    void TearDown() override
    {
        demoInstrumentation = {};
        glDisable(GL_DEBUG_OUTPUT);
        shaders.unuse();
        for (GLenum capability : {GL_CULL_FACE, GL_DEPTH_TEST, GL_ALPHA_TEST})
            glDisable(capability);
        glDepthFunc(GL_LESS);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        for (GLenum unit : {TextureUnit::Detail, TextureUnit::Shadow, TextureUnit::Normal, TextureUnit::Base}) {
            bindOnUnit(unit, GL_TEXTURE_CUBE_MAP, 0);
            glBindTexture(GL_TEXTURE_2D, 0);
            glDisable(GL_TEXTURE_2D);
            glMatrixMode(GL_TEXTURE);
            glLoadIdentity();
        }
        for (GLenum matrix : {GL_PROJECTION, GL_MODELVIEW}) {
            glMatrixMode(matrix);
            glLoadIdentity();
        }
        glViewport(0, 0, 256, 256);
        screenWidth = mouseScreenWidth = 1024;
        screenHeight = mouseScreenHeight = 768;
    }

    void runFrame()
    {
        frameRecord.clear();
        update(16);
        render();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    static std::vector<unsigned char> textureImage(int slot, GLenum format, size_t bytes)
    {
        std::vector<unsigned char> image(bytes);
        glBindTexture(GL_TEXTURE_2D, renderTargets.texture(slot));
        glGetTexImage(GL_TEXTURE_2D, 0, format, format == GL_DEPTH_COMPONENT ? GL_FLOAT : GL_UNSIGNED_BYTE, image.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return image;
    }

    // The sky cube map the water reflects, read back face by face against the
    // picture each face should hold. The bottom picture is on +Y and the top
    // one on -Y: the water looks the cube up from below the mirror.
    static void expectSkyCubeFaces()
    {
        const std::pair<GLenum, const char*> faces[] = {
            {GL_TEXTURE_CUBE_MAP_POSITIVE_X, "Right"}, {GL_TEXTURE_CUBE_MAP_NEGATIVE_X, "Left"},
            {GL_TEXTURE_CUBE_MAP_POSITIVE_Y, "Bottom"}, {GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, "Top"},
            {GL_TEXTURE_CUBE_MAP_POSITIVE_Z, "Front"}, {GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, "Back"}};
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        for (const auto& [face, name] : faces) {
            const auto picture = loadDibImage(("Textures/skies/zgsky" + std::string(name) + ".bmp").c_str());
            ASSERT_TRUE(picture) << name;
            GLint width = 0, height = 0;
            glGetTexLevelParameteriv(face, 0, GL_TEXTURE_WIDTH, &width);
            glGetTexLevelParameteriv(face, 0, GL_TEXTURE_HEIGHT, &height);
            ASSERT_TRUE(width == picture->width && height == picture->height) << name;  // before reading into its size
            std::vector<uint8_t> texels(picture->data.size(), 0xCD);
            glGetTexImage(face, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
            EXPECT_TRUE(texels == picture->data) << "the cube map's " << name << " face";
        }
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
    }

    ScopedWorkingDirectory cwd_{makeTempDir("demo")};
    AppWindow window_{};
    KeyState keys_{};
    std::vector<std::set<GLuint>> before_;
};

} // namespace

TEST_F(DemoCycleTest, StartUpLogsItsStepsLeavesTheSkyAndTheLightProgramBoundAndTeardownFreesAll)
{
    recordedBoxes().clear();
    std::vector<std::string> startUp{"Initializing...", "Creating Render Targets..."}, story;
    startUp.insert(startUp.end(), TargetSlot::Count, "Framebuffer Complete");
    startUp.push_back("Loading Shaders...");
    for (int slot = 0; slot < ProgramSlot::Count; ++slot)
        startUp.push_back("Shader Validation ID: " + std::to_string(slot) + ":");
    startUp.insert(startUp.end(), {"Loading Scene...", "Creating Sky Box Textures...", "Reading Camera Waypoints..."});
    for (int cycle = 0; cycle < 2; ++cycle) {  // the second as after a fullscreen switch
        ASSERT_TRUE(initialize(&window_, &keys_));
        story.insert(story.end(), startUp.begin(), startUp.end());
        EXPECT_EQ(storyLines(readTextFile("Log.txt")), story);
        EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_CUBE_MAP), GLint(skyCubeMap[0]));
        if (cycle == 0)
            expectSkyCubeFaces();
        // The lit programs read the shadow map through shadow samplers.
        GLint compare = 0;
        glBindTexture(GL_TEXTURE_2D, renderTargets.texture(TargetSlot::ShadowMap));
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &compare);
        glBindTexture(GL_TEXTURE_2D, 0);
        EXPECT_EQ(compare, GL_COMPARE_R_TO_TEXTURE);
        EXPECT_EQ(programSlot(), std::to_string(ProgramSlot::ShadowDepth));
        EXPECT_GT(mainScene.groupCount(), 4);
        EXPECT_EQ(cameraMode, CameraMode::DemoTour);
        EXPECT_NE(liveObjects(), before_);
        deinitialize();
        story.push_back("DeInitializing...");
        EXPECT_EQ(liveObjects(), before_);
    }
    EXPECT_TRUE(recordedBoxes().empty());
    EXPECT_EQ(debugErrors, 0u);
}

// Where each pass draws, mirrored or not, culling which faces, with which
// program, and what it leaves behind; the shadow map on the first frame only.
// (The pictures themselves are the rendered-frames test's to compare.)
TEST_F(DemoCycleTest, EveryPassDrawsIntoItsTargetWithItsStateAndTheShadowMapOnlyOnce)
{
    ASSERT_TRUE(initialize(&window_, &keys_));
    std::vector<std::string> firstFrame = shadowPass;
    firstFrame.insert(firstFrame.end(), framePasses.begin(), framePasses.end());
    runFrame();
    EXPECT_EQ(frameRecord, firstFrame);
    const auto shadow = textureImage(TargetSlot::ShadowMap, GL_DEPTH_COMPONENT, 2048u * 2048u * 4);
    const float* depths = reinterpret_cast<const float*>(shadow.data());
    EXPECT_GT(std::count_if(depths, depths + 2048 * 2048, [](float d) { return d < 1.0f; }), 2048 * 2048 / 4)
        << "the scenery should fill much of the light's view";
    for (int frame = 2; frame <= 3; ++frame) {
        runFrame();
        EXPECT_EQ(frameRecord, framePasses) << "frame " << frame;
    }

    deinitialize();
    EXPECT_EQ(liveObjects(), before_);
    EXPECT_EQ(debugErrors, 0u);
}
