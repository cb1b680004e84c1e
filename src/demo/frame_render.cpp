// One frame: the shadow map (first frame of a window cycle only), the
// refraction and mirrored reflection images for the water, the lit scene,
// and its depth-of-field composition onto the window with the overlay on top.
#include "demo/frame_render.h"

#include <algorithm>
#include <cmath>

#include "app/entry.h"
#include "app/frame_hooks.h"
#include "app/projection.h"
#include "demo/demo_state.h"
#include "demo/frame_update.h"
#include "demo/instrumentation.h"
#include "demo/offscreen_pass.h"
#include "demo/water_and_sky.h"
#include "gpu/texture_units.h"

ShadowMapState shadowMap;
bool drawEverything = false;

namespace {

constexpr const char* tourCaptions[CameraTour::pathCount] = {
    "Grass and Trees", "Water and Shadows", "Depth-Of-Field and Animated Sky"};

bool flying()
{
    return cameraMode == CameraMode::FreeFly || cameraMode == CameraMode::FreeFlyRecording;
}

// The camera of the frame, worked out by the program from the same numbers it
// hands to GL, so that culling never reads a matrix back from the driver.
struct FrameView {
    Mat4 projection;
    Mat4 view;
    Vec3 eye;
};

FrameView frameView()
{
    const Mat4 projection = perspectiveProjection(screenWidth, screenHeight);
    if (flying())
        return {projection, camera.viewMatrix(), camera.position};
    const CameraPath& path = tour.currentView();
    return {projection, lookAtMatrix(path.eye, path.target, {0.0f, 1.0f, 0.0f}), path.eye};
}

void setUpView()
{
    if (flying()) {
        camera.applyView();
        return;
    }
    const CameraPath& view = tour.currentView();
    gluLookAt(view.eye.x, view.eye.y, view.eye.z, view.target.x, view.target.y, view.target.z,
              0.0, 1.0, 0.0);
}

// What a pass culls its groups by: the view, or nothing while every saving is off.
ViewClip cullingClip(const Mat4& projection, const Mat4& modelview, const ViewRegion& region = {})
{
    return drawEverything ? ViewClip{} : ViewClip(projection, modelview, region);
}

// Unit 2's texture matrix maps a world-space vertex to the shadow map:
// bias * light projection * light view.
void setUpShadowLookup()
{
    bindOnUnit(TextureUnit::Shadow, GL_TEXTURE_2D, renderTargets.texture(TargetSlot::ShadowMap));
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glTranslatef(0.5f, 0.5f, 0.5f);
    glScalef(0.5f, 0.5f, 0.5f);
    glMultMatrixf(shadowMap.lightProjection);
    glMultMatrixf(shadowMap.lightModelview);
    glMatrixMode(GL_MODELVIEW);
}

void setLightingUniforms(int32_t slot, Vec3 eye)
{
    shaders.use(slot);
    shaders.setUniform4f(slot, "lightPos", Light::x, Light::y, Light::z, 0.0f);
    shaders.setUniform4f(slot, "viewPos", eye.x, eye.y, eye.z, 0.0f);
    shaders.setUniform1i(slot, "baseMap", TextureUnit::samplerIndex(TextureUnit::Base));
    shaders.setUniform1i(slot, "normalMap", TextureUnit::samplerIndex(TextureUnit::Normal));
    shaders.setUniform1i(slot, "depthMap", TextureUnit::samplerIndex(TextureUnit::Shadow));
    shaders.setUniform1i(slot, "detailMap", TextureUnit::samplerIndex(TextureUnit::Detail));
}

// What every lit drawing opens with: white, the shadow lookup on its unit,
// and the program with its lighting uniforms.
void beginLitDrawing(int32_t slot, Vec3 eye)
{
    glColor3f(1.0f, 1.0f, 1.0f);
    setUpShadowLookup();
    setLightingUniforms(slot, eye);
}

void drawMesh(const SceneMesh& mesh, const char* name, const ViewClip& clip = {}, const WaterSide& water = {})
{
    markMeshDraw(name);
    mesh.draw(clip, water);
}

// Leaves and meadow are seen from both sides.
void drawFoliage(const ViewClip& clip = {})
{
    glDisable(GL_CULL_FACE);
    drawMesh(leavesScene, "leaves", clip);
    drawMesh(meadowScene, "meadow", clip);
    glEnable(GL_CULL_FACE);
}

void endLitDrawing()
{
    shaders.unuse();
    selectTextureUnit(TextureUnit::Shadow);
    selectTextureUnit(TextureUnit::Base);
}

// The reflection and refraction images are looked at only through the water,
// each where the water lies on screen, shifted by its ripples by at most 0.05
// of the picture's half width. So those two passes need only the part of the
// picture the water can cover, grown by that shift. From below, the water
// shows its back, which the scene pass culls: then nothing looks at them.
//
// Where the water can show is the water quad, and often much less: the ground
// reaches over the square except around the lake, and from an eye in the open
// above the ground (with none of it so near that the near plane cuts it away)
// every line of sight to the water outside the lake meets the ground first.
ViewRegion seenThroughWater(const FrameView& frame)
{
    if (drawEverything)
        return {};
    if (frame.eye.y <= 0.0f)
        return {0.0f, 0.0f, 0.0f, 0.0f};
    constexpr float rippleMargin = 0.08f;
    constexpr float h = waterHalfSize;
    const ViewClip view(frame.projection, frame.view);
    Vec3 lo, hi, groundLo, groundHi;
    const bool groundCoversSquare = mainScene.bounds(groundLo, groundHi) && groundLo.x <= -h && groundLo.z <= -h
                                    && groundHi.x >= h && groundHi.z >= h;
    if (groundCoversSquare && mainScene.groundBelowWater(lo, hi)
        && mainScene.openAbove(frame.eye, nearPlaneReach(screenWidth, screenHeight)))
        return projectedRegion(view, lo, hi, rippleMargin);
    return projectedRegion(view, {-h, 0.0f, -h}, {h, 0.0f, h}, rippleMargin);
}

// Keeps a square target's drawing, clears aside, within a region of its
// picture, rounded outwards to whole pixels.
class ScissorScope {
public:
    ScissorScope(const ViewRegion& region, int32_t size) : on_(!isWholePicture(region))
    {
        if (!on_)
            return;
        const auto pixel = [size](float ndc, bool up) {
            const float p = (ndc + 1.0f) * 0.5f * static_cast<float>(size);
            return std::clamp(static_cast<int32_t>(up ? std::ceil(p) : std::floor(p)), 0, size);
        };
        const int32_t x0 = pixel(region.left, false), x1 = pixel(region.right, true);
        const int32_t y0 = pixel(region.bottom, false), y1 = pixel(region.top, true);
        glScissor(x0, y0, region.empty() ? 0 : x1 - x0, region.empty() ? 0 : y1 - y0);
        glEnable(GL_SCISSOR_TEST);
    }
    ~ScissorScope()
    {
        if (on_)
            glDisable(GL_SCISSOR_TEST);
    }
    ScissorScope(const ScissorScope&) = delete;
    ScissorScope& operator=(const ScissorScope&) = delete;

private:
    static bool isWholePicture(const ViewRegion& r)
    {
        return r.left <= -1.0f && r.bottom <= -1.0f && r.right >= 1.0f && r.top >= 1.0f;
    }
    bool on_;
};

void renderShadowMap()
{
    OffscreenPass pass("shadow", TargetSlot::ShadowMap);
    gluLookAt(Light::x, Light::y, Light::z, Light::centreX, Light::centreY, Light::centreZ, 0.0, 1.0, 0.0);
    glGetFloatv(GL_PROJECTION_MATRIX, shadowMap.lightProjection);
    glGetFloatv(GL_MODELVIEW_MATRIX, shadowMap.lightModelview);
    const ViewClip lightClip = cullingClip(Mat4::fromColumns(shadowMap.lightProjection),
                                           Mat4::fromColumns(shadowMap.lightModelview));
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glColor3f(1.0f, 1.0f, 1.0f);
    // Drawn with whatever program is current: on the first frame the light's
    // own, which start-up left current.
    drawMesh(mainScene, "main", lightClip);

    shaders.use(ProgramSlot::ShadowDepth);
    shaders.setUniform4f(ProgramSlot::ShadowDepth, "lightPos", Light::x, Light::y, Light::z, 0.0f);
    shaders.setUniform4f(ProgramSlot::ShadowDepth, "viewPos", camera.position.x, camera.position.y,
                         camera.position.z, 0.0f);
    shaders.setUniform1i(ProgramSlot::ShadowDepth, "baseMap", TextureUnit::samplerIndex(TextureUnit::Base));
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    drawFoliage(lightClip);
    glDisable(GL_ALPHA_TEST);
}

// In every pass the sky comes after the scenery: it lies behind all of it,
// so the depth test turns it away wherever scenery covers it, before its
// program runs, and the picture is the one the sky drawn first would give.
// With every saving off it comes first, as the plain frame draws it.
void drawSkyFirstIfPlain()
{
    if (drawEverything)
        drawSky();
}

void drawSkyLastUnlessPlain()
{
    if (!drawEverything)
        drawSky();
}

void renderRefraction(const FrameView& frame)
{
    OffscreenPass pass("refraction", TargetSlot::Refraction);
    setUpView();
    const ViewRegion seen = seenThroughWater(frame);
    const ScissorScope scissor(seen, renderTargets.size(TargetSlot::Refraction));
    drawSkyFirstIfPlain();
    beginLitDrawing(ProgramSlot::Refraction, frame.eye);
    drawMesh(mainScene, "main", cullingClip(frame.projection, frame.view, seen), {WaterSide::ReachingBelow});
    endLitDrawing();
    drawSkyLastUnlessPlain();
}

void renderReflection(const FrameView& frame)
{
    OffscreenPass pass("reflection", TargetSlot::Reflection);
    setUpView();
    const ViewRegion seen = seenThroughWater(frame);
    const ScissorScope scissor(seen, renderTargets.size(TargetSlot::Reflection));
    const ViewClip clip = cullingClip(frame.projection, frame.view * scaleMatrix(1.0f, -1.0f, 1.0f), seen);
    glPushMatrix();
    glScalef(1.0f, -1.0f, 1.0f);  // mirror in the water plane y = 0
    glCullFace(GL_FRONT);          // the mirror reverses the winding
    drawSkyFirstIfPlain();
    beginLitDrawing(ProgramSlot::Lighting, frame.eye);
    drawMesh(reflectionScene, "reflection", clip);
    setLightingUniforms(ProgramSlot::Foliage, frame.eye);
    drawFoliage(clip);
    endLitDrawing();
    drawSkyLastUnlessPlain();
    drawWater();
    glPopMatrix();
    glCullFace(GL_BACK);
}

// The water comes before the scenery wholly under it: from above, the depth
// test then turns the lake bed away where the water covers it, and from below
// (or where the near plane cuts the water away) the lake bed shows as it would.
// With every saving off the water comes last, as the plain frame draws it.
void renderScene(const FrameView& frame)
{
    OffscreenPass pass("scene", TargetSlot::Scene);
    setUpView();
    const ViewClip clip = cullingClip(frame.projection, frame.view);
    drawSkyFirstIfPlain();
    beginLitDrawing(ProgramSlot::Lighting, frame.eye);
    if (drawEverything) {
        drawMesh(mainScene, "main", clip);
    } else {
        drawMesh(mainScene, "main", clip, {WaterSide::NotSubmerged});
        endLitDrawing();
        drawWater();
        beginLitDrawing(ProgramSlot::Lighting, frame.eye);
        drawMesh(mainScene, "main", clip, {WaterSide::Submerged});
    }
    setLightingUniforms(ProgramSlot::Foliage, frame.eye);
    drawFoliage(clip);
    endLitDrawing();
    if (drawEverything)
        drawWater();
    drawSkyLastUnlessPlain();
}

void composeOntoWindow()
{
    RenderPassScope scope("composition");
    reshapeOrtho(screenWidth, screenHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, renderTargets.texture(TargetSlot::Scene));
    glColor3f(1.0f, 1.0f, 1.0f);
    shaders.use(ProgramSlot::DepthOfField);
    shaders.setUniform1i(ProgramSlot::DepthOfField, "texture", 0);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-3.0f, 3.0f, -0.01f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-3.0f, -3.0f, -0.01f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(3.0f, -3.0f, -0.01f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(3.0f, 3.0f, -0.01f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    shaders.unuse();
    glPopMatrix();
}

void drawCrosshair()
{
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, crosshairTexture[0]);
    glBegin(GL_QUADS);
    glTexCoord2f(-0.5f, 0.5f);
    glVertex2f(-0.1f, 0.1f);
    glTexCoord2f(-0.5f, -0.5f);
    glVertex2f(-0.1f, -0.1f);
    glTexCoord2f(0.5f, -0.5f);
    glVertex2f(0.1f, -0.1f);
    glTexCoord2f(0.5f, 0.5f);
    glVertex2f(0.1f, 0.1f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
}

void drawOverlay()
{
    RenderPassScope scope("overlay");
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
    glColor3f(1.0f, 0.5f, 0.1f);
    glRasterPos2f(-2.7f, 2.7f);
    font.print("FPS:%d", static_cast<int>(frameState.framesPerSecond));
    glRasterPos2f(-2.7f, 2.6f);
    font.print("1 - DEMO MODE | 2 - FREE FLY");
    if (cameraMode == CameraMode::DemoTour) {
        glRasterPos2f(-2.7f, 2.5f);
        font.print("%s", tourCaptions[tour.currentPath % CameraTour::pathCount]);
    }
    drawCrosshair();
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glFlush();
}

} // namespace

void render()
{
    reshapeOrtho(screenWidth, screenHeight);
    // Without framebuffer objects the shadow map has no target, and the pass's
    // draw buffer of none would switch off the window's own for good.
    if (shadowMap.pending && GlExtensions::framebufferObjectReady())
        renderShadowMap();
    reshapePerspective(screenWidth, screenHeight);
    shadowMap.pending = false;

    const FrameView frame = frameView();
    renderRefraction(frame);
    renderReflection(frame);
    renderScene(frame);
    composeOntoWindow();
    drawOverlay();
}
