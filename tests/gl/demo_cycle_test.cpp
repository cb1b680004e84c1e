// The whole demo in the headless context: start-up, frames and teardown, run
// on the data the build generated. Window cycles are repeated as a fullscreen
// switch repeats them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_window.h"
#include "app/entry.h"
#include "app/frame_hooks.h"
#include "camera/mouse_screen.h"
#include "demo/demo_state.h"
#include "demo/frame_render.h"
#include "demo/frame_update.h"
#include "demo/instrumentation.h"
#include "gpu/gl_extensions.h"
#include "platform/platform.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

// Every GL name of each kind that is alive, probed over a generous range.
struct LiveObjects {
    std::set<GLuint> textures, buffers, framebuffers, renderbuffers, lists, programObjects;
    bool operator==(const LiveObjects&) const = default;
};

LiveObjects liveObjects()
{
    auto isProgram = reinterpret_cast<PFNGLISPROGRAMPROC>(platform::getGlProcAddress("glIsProgram"));
    auto isShader = reinterpret_cast<PFNGLISSHADERPROC>(platform::getGlProcAddress("glIsShader"));
    auto isBuffer = reinterpret_cast<PFNGLISBUFFERPROC>(platform::getGlProcAddress("glIsBuffer"));
    LiveObjects live;
    for (GLuint name = 1; name < 3000; ++name) {
        if (glIsTexture(name))
            live.textures.insert(name);
        if (isBuffer(name))
            live.buffers.insert(name);
        if (glIsList(name))
            live.lists.insert(name);
        if (name < 300) {
            if (GlExtensions::glIsFramebufferEXT(name))
                live.framebuffers.insert(name);
            if (GlExtensions::glIsRenderbufferEXT(name))
                live.renderbuffers.insert(name);
            if (isProgram(name) || isShader(name))
                live.programObjects.insert(name);
        }
    }
    return live;
}

// The log's progress lines and framebuffer and shader reports, in order (the
// shader reports without their driver text), and anything reporting an error.
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

std::vector<std::string> expectedStartUp()
{
    std::vector<std::string> lines{"Initializing...", "Creating Render Targets..."};
    lines.insert(lines.end(), TargetSlot::Count, "Framebuffer Complete");
    lines.push_back("Loading Shaders...");
    for (int slot = 0; slot < ProgramSlot::Count; ++slot)
        lines.push_back("Shader Validation ID: " + std::to_string(slot) + ":");
    lines.insert(lines.end(), {"Loading Scene...", "Creating Sky Box Textures...", "Reading Camera Waypoints..."});
    return lines;
}

GLuint boundTexture(GLenum unit, GLenum binding)
{
    GlExtensions::glActiveTextureARB(unit);
    GLint name = 0;
    glGetIntegerv(binding, &name);
    GlExtensions::glActiveTextureARB(GL_TEXTURE0_ARB);
    return static_cast<GLuint>(name);
}

std::vector<float> shadowMapDepths()
{
    glBindTexture(GL_TEXTURE_2D, renderTargets.texture(TargetSlot::ShadowMap));
    std::vector<float> depths(2048u * 2048u);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return depths;
}

// The frame record: before each scene mesh a pass draws, where it draws (the
// render target slot bound, or the window as -1, with the viewport's width),
// whether the world is mirrored and which faces are culled, and with which
// program; after each pass, what it hands on to the next.
std::vector<std::string> frameRecord;

GLint integer(GLenum what)
{
    GLint value = 0;
    glGetIntegerv(what, &value);
    return value;
}

int targetSlot()
{
    const GLuint bound = static_cast<GLuint>(integer(GL_FRAMEBUFFER_BINDING_EXT));
    for (int slot = 0; slot < TargetSlot::Count; ++slot)
        if (bound != 0 && bound == renderTargets.framebuffer(slot))
            return slot;
    return bound == 0 ? -1 : 99;
}

std::string programSlot()
{
    const GLhandleARB current = static_cast<GLhandleARB>(integer(GL_CURRENT_PROGRAM));
    for (int slot = 0; slot < ProgramSlot::Count; ++slot)
        if (current != 0 && current == shaders.program(slot))
            return std::to_string(slot);
    return current == 0 ? "none" : "unknown";
}

std::string culling()
{
    if (!glIsEnabled(GL_CULL_FACE))
        return "off";
    return integer(GL_CULL_FACE_MODE) == GL_FRONT ? "front" : "back";
}

void recordMeshDraw(const char* mesh)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLfloat m[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const float determinant = m[0] * (m[5] * m[10] - m[6] * m[9]) - m[4] * (m[1] * m[10] - m[2] * m[9])
        + m[8] * (m[1] * m[6] - m[2] * m[5]);
    frameRecord.push_back(std::string(mesh) + ": target " + std::to_string(targetSlot()) + " at "
                          + std::to_string(viewport[2]) + (determinant < 0 ? " mirrored" : "") + ", cull "
                          + culling() + ", program " + programSlot());
}

void recordPassEnd(const char* pass)
{
    frameRecord.push_back("after " + std::string(pass) + ": target " + std::to_string(targetSlot()) + ", unit "
                          + std::to_string(integer(GL_ACTIVE_TEXTURE_ARB) - GL_TEXTURE0_ARB) + ", cull "
                          + culling() + ", program " + programSlot() + (glIsEnabled(GL_ALPHA_TEST) ? ", alpha test" : "")
                          + (glIsEnabled(GL_DEPTH_TEST) ? "" : ", no depth test"));
}

// What every frame does after the shadow pass.
const std::vector<std::string> framePasses = {
    "main: target 2 at 512, cull back, program 4",
    "after refraction: target -1, unit 0, cull back, program none",
    "reflection: target 4 at 512 mirrored, cull front, program 0",
    "leaves: target 4 at 512 mirrored, cull off, program 2",
    "meadow: target 4 at 512 mirrored, cull off, program 2",
    "after reflection: target -1, unit 0, cull back, program none",
    "main: target 1 at 1024, cull back, program 0",
    "leaves: target 1 at 1024, cull off, program 2",
    "meadow: target 1 at 1024, cull off, program 2",
    "after scene: target -1, unit 0, cull back, program none",
    "after composition: target -1, unit 0, cull back, program none",
    "after overlay: target -1, unit 0, cull back, program none",
};

// The first frame of a window cycle renders the shadow map first, with the
// light's program that start-up left current.
std::vector<std::string> firstFrame()
{
    std::vector<std::string> lines = {
        "main: target 0 at 2048, cull back, program 6",
        "leaves: target 0 at 2048, cull off, program 6",
        "meadow: target 0 at 2048, cull off, program 6",
        "after shadow: target -1, unit 0, cull back, program 6",
    };
    lines.insert(lines.end(), framePasses.begin(), framePasses.end());
    return lines;
}

struct Rgb {
    int r, g, b;
};

std::vector<unsigned char> windowPixels(int size)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(size) * size * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

Rgb at(const std::vector<unsigned char>& pixels, int size, int x, int yFromTop)
{
    const size_t i = (static_cast<size_t>(size - 1 - yFromTop) * size + x) * 3;
    return {pixels[i], pixels[i + 1], pixels[i + 2]};
}

uint64_t debugErrors = 0;
void GLAPIENTRY countErrors(GLenum, GLenum type, GLuint, GLenum, GLsizei, const GLchar*, const void*)
{
    if (type == GL_DEBUG_TYPE_ERROR)
        ++debugErrors;
}

class DemoCycleTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* runDir = std::getenv("VERDAL_RUN_DIR");
        ASSERT_NE(runDir, nullptr) << "VERDAL_RUN_DIR names the generated data";
        dir_ = makeTempDir("demo");
        for (const char* sub : {"Scene", "Shader", "Textures"})
            std::filesystem::create_directory_symlink(std::filesystem::path(runDir) / sub, dir_ / sub);
        cwd_ = std::make_unique<ScopedWorkingDirectory>(dir_);
        recordMessageBoxes();
        screenWidth = mouseScreenWidth = 256;
        screenHeight = mouseScreenHeight = 256;
        window_.keys = &keys_;
        window_.width = 256;
        window_.height = 256;
        auto callback = reinterpret_cast<PFNGLDEBUGMESSAGECALLBACKPROC>(
            platform::getGlProcAddress("glDebugMessageCallback"));
        ASSERT_NE(callback, nullptr);
        glEnable(GL_DEBUG_OUTPUT);
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
        callback(countErrors, nullptr);
        debugErrors = 0;
        while (glGetError() != GL_NO_ERROR) {
        }
        GlExtensions::loadFramebufferObject();
        before_ = liveObjects();
        demoInstrumentation.meshDrawBegins = recordMeshDraw;
        demoInstrumentation.passEnds = recordPassEnd;
    }
    void TearDown() override
    {
        demoInstrumentation = {};
        restoreDefaultState();
        glDisable(GL_DEBUG_OUTPUT);
        cwd_.reset();
        screenWidth = mouseScreenWidth = 1024;
        screenHeight = mouseScreenHeight = 768;
        std::filesystem::remove_all(dir_);
    }
    std::string log() { return readFile(dir_ / "Log.txt"); }

    // The other GL tests share this context: hand it back as GL starts out,
    // without the fixed state, matrices and bindings a demo cycle leaves.
    static void restoreDefaultState()
    {
        shaders.unuse();
        glDisable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glDisable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glDisable(GL_ALPHA_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        for (GLenum unit = GL_TEXTURE0_ARB; unit <= GL_TEXTURE3_ARB; ++unit) {
            GlExtensions::glActiveTextureARB(unit);
            glDisable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, 0);
            glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
            glMatrixMode(GL_TEXTURE);
            glLoadIdentity();
        }
        GlExtensions::glActiveTextureARB(GL_TEXTURE0_ARB);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glViewport(0, 0, 256, 256);
    }

    void runFrame()
    {
        frameRecord.clear();
        update(16);
        render();
        glFinish();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    std::filesystem::path dir_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
    AppWindow window_{};
    KeyState keys_{};
    LiveObjects before_;
};

} // namespace

TEST_F(DemoCycleTest, StartUpLogsItsStepsLeavesTheSkyAndTheLightProgramBoundAndTeardownFreesAll)
{
    std::filesystem::remove(dir_ / "Log.txt");
    ASSERT_TRUE(initialize(&window_, &keys_));
    EXPECT_EQ(storyLines(log()), expectedStartUp()) << log();
    EXPECT_TRUE(recordedBoxes().empty());

    EXPECT_NE(skyCubeMap[0], 0u);
    EXPECT_EQ(boundTexture(GL_TEXTURE0_ARB, GL_TEXTURE_BINDING_CUBE_MAP), skyCubeMap[0]);
    EXPECT_EQ(programSlot(), std::to_string(ProgramSlot::ShadowDepth));
    EXPECT_GT(mainScene.groupCount(), 4);
    EXPECT_EQ(cameraMode, CameraMode::DemoTour);
    EXPECT_EQ(tour.currentPath, 0u);
    EXPECT_NE(liveObjects(), before_);

    deinitialize();
    EXPECT_EQ(liveObjects(), before_);

    // A fullscreen switch runs start-up again on the same objects.
    ASSERT_TRUE(initialize(&window_, &keys_));
    auto expected = expectedStartUp();
    auto twice = expected;
    twice.push_back("DeInitializing...");
    twice.insert(twice.end(), expected.begin(), expected.end());
    EXPECT_EQ(storyLines(log()), twice);
    EXPECT_EQ(boundTexture(GL_TEXTURE0_ARB, GL_TEXTURE_BINDING_CUBE_MAP), skyCubeMap[0]);
    deinitialize();
    EXPECT_EQ(liveObjects(), before_);
    EXPECT_EQ(debugErrors, 0u);
}

// Where each pass draws, mirrored or not, culling which faces, with which
// program, and what it leaves behind; the shadow map only on the first frame.
TEST_F(DemoCycleTest, EveryPassDrawsIntoItsTargetWithItsStateAndTheShadowMapOnlyOnce)
{
    ASSERT_TRUE(initialize(&window_, &keys_));
    runFrame();
    EXPECT_EQ(frameRecord, firstFrame());
    const std::vector<float> shadow = shadowMapDepths();
    size_t covered = 0;
    for (float depth : shadow)
        covered += depth < 1.0f;
    EXPECT_GT(covered, shadow.size() / 4) << "the scenery should fill much of the light's view";
    for (int frame = 2; frame <= 3; ++frame) {
        runFrame();
        EXPECT_EQ(frameRecord, framePasses) << "frame " << frame;
    }

    // The scene image: sky above, ground below, and its alpha carries blur.
    glBindTexture(GL_TEXTURE_2D, renderTargets.texture(TargetSlot::Scene));
    std::vector<unsigned char> scene(1024u * 1024u * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, scene.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    auto scenePixel = [&](int x, int yFromTop) {
        const size_t i = (static_cast<size_t>(1023 - yFromTop) * 1024 + x) * 4;
        return Rgb{scene[i], scene[i + 1], scene[i + 2]};
    };
    const Rgb sky = scenePixel(512, 10);
    EXPECT_GT(sky.b, sky.r) << "the top of the picture is sky";
    const Rgb ground = scenePixel(512, 1013);
    EXPECT_GT(ground.g, ground.b) << "the bottom of the start view is meadow";

    // The window: the composed picture with the overlay on top.
    const auto pixels = windowPixels(256);
    std::set<int> colours;
    bool overlayText = false;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const Rgb p = at(pixels, 256, x, y);
            colours.insert(p.r << 16 | p.g << 8 | p.b);
            if (y < 40 && x < 128 && p.r > 230 && p.g > 100 && p.g < 160 && p.b < 60)
                overlayText = true;
        }
    EXPECT_GT(colours.size(), 500u) << "the window shows a picture, not a flat colour";
    EXPECT_TRUE(overlayText) << "the frame counter is printed at the top left in orange";
    const Rgb top = at(pixels, 256, 128, 60);
    EXPECT_GT(top.b, top.r) << "sky in the window";

    deinitialize();
    EXPECT_EQ(liveObjects(), before_);
    EXPECT_EQ(debugErrors, 0u);
}
