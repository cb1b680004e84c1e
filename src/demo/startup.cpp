// Start-up and teardown of one window cycle: every GPU resource of the frame
// is made here, in a fixed order with a progress line before each group, and
// released again before the window and its GL context go away.
#include <cstdlib>
#include <cstring>

#include "app/app_window.h"
#include "app/frame_hooks.h"
#include "demo/demo_state.h"
#include "demo/frame_render.h"
#include "demo/instrumentation.h"
#include "gpu/gl_extensions.h"
#include "gpu/log.h"
#include "image/texture_makers.h"
#include "platform/platform.h"

namespace {

struct TargetSlotSize {
    int32_t slot, size, kind;
};
constexpr TargetSlotSize targetSlots[] = {
    {TargetSlot::ShadowMap, 2048, RenderTargets::KindDepth},
    {TargetSlot::Scene, 1024, RenderTargets::KindRgba},
    {TargetSlot::Refraction, 512, RenderTargets::KindRgba},
    {TargetSlot::Reflection, 512, RenderTargets::KindRgba},
    {TargetSlot::Spare, 2048, RenderTargets::KindRgba},
};

// About what start-up fills with the demo's data: 60 MB of render targets,
// 45 MB of textures, 35 MB of scene buffers and the driver's own. Made
// present in one step it costs a third of what touching it page by page does.
constexpr size_t startupHeapBytes = size_t{144} << 20;

// Each program slot with the files it is built from. Built in this order,
// which is the slots' own, so the log reports them 0 to 6.
struct ProgramFiles {
    int32_t slot;
    const char* vertex;
    const char* fragment;
};
constexpr ProgramFiles programFiles[] = {
    {ProgramSlot::Lighting, "Shader/lighting.vsh", "Shader/lighting.fsh"},
    {ProgramSlot::DepthOfField, "Shader/dof.vsh", "Shader/dof.fsh"},
    {ProgramSlot::Foliage, "Shader/lighting.vsh", "Shader/Leafslighting.fsh"},
    {ProgramSlot::Water, "Shader/Water.vsh", "Shader/Water.fsh"},
    {ProgramSlot::Refraction, "Shader/lightingW.vsh", "Shader/lightingW.fsh"},
    {ProgramSlot::Sky, "Shader/skyAnim.vsh", "Shader/skyAnim.fsh"},
    {ProgramSlot::ShadowDepth, "Shader/lighting.vsh", "Shader/LeafslightingDepth.fsh"},
};
constexpr bool everySlotOnceInOrder()
{
    int32_t expected = 0;
    for (const ProgramFiles& program : programFiles)
        if (program.slot != expected++)
            return false;
    return expected == ProgramSlot::Count;
}
static_assert(everySlotOnceInOrder(), "one row per program slot, in slot order");

constexpr const char* skyFiles[12] = {
    "Textures\\skies\\zgskyFront.bmp",   "Textures\\skies\\zgskyRight.bmp",
    "Textures\\skies\\zgskyBack.bmp",    "Textures\\skies\\zgskyLeft.bmp",
    "Textures\\skies\\zgskyTop.bmp",     "Textures\\skies\\zgskyBottom.bmp",
    "Textures\\skies\\zgskyFront_2.bmp", "Textures\\skies\\zgskyRight_2.bmp",
    "Textures\\skies\\zgskyBack_2.bmp",  "Textures\\skies\\zgskyLeft_2.bmp",
    "Textures\\skies\\zgskyTop_2.bmp",   "Textures\\skies\\zgskyBottom_2.bmp",
};

struct CubeFace {
    const char* file;
    GLenum face;
};
// The bottom picture goes to +Y and the top one to -Y: the water looks the
// reflection vector up in a cube seen from below the mirror.
constexpr CubeFace cubeFaces[6] = {
    {"Textures\\skies\\zgskyFront.bmp", GL_TEXTURE_CUBE_MAP_POSITIVE_Z},
    {"Textures\\skies\\zgskyBack.bmp", GL_TEXTURE_CUBE_MAP_NEGATIVE_Z},
    {"Textures\\skies\\zgskyRight.bmp", GL_TEXTURE_CUBE_MAP_POSITIVE_X},
    {"Textures\\skies\\zgskyLeft.bmp", GL_TEXTURE_CUBE_MAP_NEGATIVE_X},
    {"Textures\\skies\\zgskyBottom.bmp", GL_TEXTURE_CUBE_MAP_POSITIVE_Y},
    {"Textures\\skies\\zgskyTop.bmp", GL_TEXTURE_CUBE_MAP_NEGATIVE_Y},
};

void createRenderTargets()
{
    Log::instance()->write("Creating Render Targets...");
    renderTargets.init(TargetSlot::Count);
    for (const TargetSlotSize& target : targetSlots)
        renderTargets.create(target.slot, target.size, target.kind);
    // The lit programs read the shadow map through shadow samplers: a lookup
    // compares the four nearest depths with the point's own and filters the
    // answers, one lookup where three filtered depths and three comparisons were.
    if (const GLuint shadow = renderTargets.texture(TargetSlot::ShadowMap)) {
        glBindTexture(GL_TEXTURE_2D, shadow);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_R_TO_TEXTURE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
}

void loadShaders()
{
    Log::instance()->write("Loading Shaders...");
    GlExtensions::loadShaderObjects();
    shaders.allocate(ProgramSlot::Count);
    for (const ProgramFiles& program : programFiles)
        shaders.load(program.slot, program.vertex, program.fragment);
}

void loadScenes()
{
    Log::instance()->write("Loading Scene...");
    mainScene.load("Scene/Verdal4.kxr");
    leavesScene.load("Scene/Verdal3Leafs.kxr");
    reflectionScene.load("Scene/Verdal3Reflection.kxr");
    meadowScene.load("Scene/Verdal4meadow.kxr");
}

void loadSkyWaterAndCrosshair()
{
    Log::instance()->write("Creating Sky Box Textures...");
    for (int index = 0; index < 12; ++index) {
        loadTexture(skyTextures, skyFiles[index], index);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    // Stays bound to unit 0's cube-map target for the whole cycle: the water reads it there.
    glGenTextures(1, skyCubeMap);
    for (const CubeFace& face : cubeFaces)
        loadCubeMapFace(skyCubeMap, face.file, 0, face.face);
    loadTexture(waterNormalMap, "Textures\\water_normal3.bmp", 0);
    loadColorKeyTexture(crosshairTexture, "Textures\\crosshair.bmp", 0);
}

void setFixedState()
{
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glClearColor(0.0f, 0.8f, 0.9f, 0.5f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

} // namespace

bool initialize(AppWindow* window, KeyState* keys)
{
    activeWindow = window;
    activeKeys = keys;
    Log::instance()->write("Initializing...");
    const platform::AllocationBurst burst(startupHeapBytes);

    markStartupStep("render_targets");
    createRenderTargets();
    markStartupStep("shaders");
    loadShaders();
    markStartupStep("font");
    font.create(window ? window->hDC : nullptr, "Courier New");
    GlExtensions::loadMultitextureAndBuffers();
    markStartupStep("scenes");
    loadScenes();
    markStartupStep("textures");
    loadSkyWaterAndCrosshair();
    markStartupStep("state");
    setFixedState();

    camera.place(0.0f, 0.19f, 0.68f, 0.00001f, 0.19f, 1.0f, 0.0f, 1.0f, 0.0f);

    markStartupStep("paths");
    Log::instance()->write("Reading Camera Waypoints...");
    loadTour(tour);
    cameraMode = CameraMode::DemoTour;
    shadowMap.pending = true;
    const char* drawAll = std::getenv("VERDAL_DRAW_ALL");
    drawEverything = drawAll && std::strcmp(drawAll, "1") == 0;

    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        const GLubyte* text = gluErrorString(error);
        Log::instance()->write(text ? reinterpret_cast<const char*>(text) : "unknown OpenGL error");
    }
    markStartupStep(nullptr);
    return true;
}

void deinitialize()
{
    Log::instance()->write("DeInitializing...");
    glDeleteTextures(1, skyCubeMap);
    glDeleteTextures(12, skyTextures);
    // Freed with the context anyway, but a cycle should leave nothing behind.
    glDeleteTextures(1, waterNormalMap);
    glDeleteTextures(1, crosshairTexture);
    skyCubeMap[0] = waterNormalMap[0] = crosshairTexture[0] = 0;
    for (GLuint& name : skyTextures)
        name = 0;
    font.release();
    for (SceneMesh* mesh : {&mainScene, &leavesScene, &meadowScene, &reflectionScene}) {
        mesh->deleteTextures();
        mesh->deleteBuffers();
    }
    shaders.release();
    renderTargets.release();
}
