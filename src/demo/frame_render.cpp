// One frame: the shadow map (first frame of a window cycle only), the
// refraction and mirrored reflection images for the water, the lit scene,
// and its depth-of-field composition onto the window with the overlay on top.
#include "demo/frame_render.h"

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

namespace {

constexpr const char* tourCaptions[CameraTour::pathCount] = {
    "Grass and Trees", "Water and Shadows", "Depth-Of-Field and Animated Sky"};

bool flying()
{
    return cameraMode == CameraMode::FreeFly || cameraMode == CameraMode::FreeFlyRecording;
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

Vec3 eyePosition()
{
    return flying() ? camera.position : tour.currentView().eye;
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

void setLightingUniforms(int32_t slot)
{
    const Vec3 eye = eyePosition();
    shaders.use(slot);
    shaders.setUniform4f(slot, "lightPos", Light::x, Light::y, Light::z, 0.0f);
    shaders.setUniform4f(slot, "viewPos", eye.x, eye.y, eye.z, 0.0f);
    shaders.setUniform1i(slot, "baseMap", TextureUnit::samplerIndex(TextureUnit::Base));
    shaders.setUniform1i(slot, "normalMap", TextureUnit::samplerIndex(TextureUnit::Normal));
    shaders.setUniform1i(slot, "depthMap", TextureUnit::samplerIndex(TextureUnit::Shadow));
    shaders.setUniform1i(slot, "detailMap", TextureUnit::samplerIndex(TextureUnit::Detail));
}

void drawMesh(const SceneMesh& mesh, const char* name, const ViewRegion& region = {}, const WaterSide& water = {})
{
    markMeshDraw(name);
    mesh.draw(region, water);
}

// Leaves and meadow are seen from both sides.
void drawFoliage(const ViewRegion& region = {})
{
    glDisable(GL_CULL_FACE);
    drawMesh(leavesScene, "leaves", region);
    drawMesh(meadowScene, "meadow", region);
    glEnable(GL_CULL_FACE);
}

// The reflection and refraction images are looked at only through the water,
// and the water shows only where the ground lies below it: elsewhere the
// ground hides the plane. The water's ripples shift its lookups by at most
// 0.05 of the picture's half width. So those two passes need scenery only
// where it can land within that part of the picture, with the view as it is
// before mirroring. When the ground does not reach over all of the water, the
// plane may show anywhere, and the whole picture counts.
ViewRegion seenThroughWater()
{
    constexpr float rippleMargin = 0.08f;
    Vec3 lo, hi, groundLo, groundHi;
    if (!mainScene.groundBelowWater(lo, hi) || !mainScene.bounds(groundLo, groundHi) || groundLo.x > -waterHalfSize
        || groundLo.z > -waterHalfSize || groundHi.x < waterHalfSize || groundHi.z < waterHalfSize)
        return {};
    return projectedRegion(ViewClip::current(), lo, hi, rippleMargin);
}

void endLitDrawing()
{
    shaders.unuse();
    selectTextureUnit(TextureUnit::Shadow);
    selectTextureUnit(TextureUnit::Base);
}

void renderShadowMap()
{
    OffscreenPass pass("shadow", TargetSlot::ShadowMap);
    gluLookAt(Light::x, Light::y, Light::z, Light::centreX, Light::centreY, Light::centreZ, 0.0, 1.0, 0.0);
    glGetFloatv(GL_PROJECTION_MATRIX, shadowMap.lightProjection);
    glGetFloatv(GL_MODELVIEW_MATRIX, shadowMap.lightModelview);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glColor3f(1.0f, 1.0f, 1.0f);
    // Drawn with whatever program is current: on the first frame the light's
    // own, which start-up left current.
    drawMesh(mainScene, "main");

    shaders.use(ProgramSlot::ShadowDepth);
    shaders.setUniform4f(ProgramSlot::ShadowDepth, "lightPos", Light::x, Light::y, Light::z, 0.0f);
    shaders.setUniform4f(ProgramSlot::ShadowDepth, "viewPos", camera.position.x, camera.position.y,
                         camera.position.z, 0.0f);
    shaders.setUniform1i(ProgramSlot::ShadowDepth, "baseMap", TextureUnit::samplerIndex(TextureUnit::Base));
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    drawFoliage();
    glDisable(GL_ALPHA_TEST);
}

void renderRefraction()
{
    OffscreenPass pass("refraction", TargetSlot::Refraction);
    setUpView();
    const ViewRegion seen = seenThroughWater();
    drawSky();
    glColor3f(1.0f, 1.0f, 1.0f);
    setUpShadowLookup();
    setLightingUniforms(ProgramSlot::Refraction);
    drawMesh(mainScene, "main", seen, {WaterSide::Below, waterHalfSize});
    endLitDrawing();
}

void renderReflection()
{
    OffscreenPass pass("reflection", TargetSlot::Reflection);
    setUpView();
    const ViewRegion seen = seenThroughWater();
    glPushMatrix();
    glScalef(1.0f, -1.0f, 1.0f);  // mirror in the water plane y = 0
    glCullFace(GL_FRONT);          // the mirror reverses the winding
    drawSky();
    glColor3f(1.0f, 1.0f, 1.0f);
    setUpShadowLookup();
    setLightingUniforms(ProgramSlot::Lighting);
    drawMesh(reflectionScene, "reflection", seen);
    setLightingUniforms(ProgramSlot::Foliage);
    drawFoliage(seen);
    endLitDrawing();
    drawWater();
    glPopMatrix();
    glCullFace(GL_BACK);
}

void renderScene()
{
    OffscreenPass pass("scene", TargetSlot::Scene);
    setUpView();
    drawSky();
    glColor3f(1.0f, 1.0f, 1.0f);
    setUpShadowLookup();
    setLightingUniforms(ProgramSlot::Lighting);
    // The lake bed shows only through the refraction image: from above, the
    // water drawn last covers it in this picture.
    drawMesh(mainScene, "main", {}, {eyePosition().y > 0.0f ? WaterSide::Above : WaterSide::Both, waterHalfSize});
    setLightingUniforms(ProgramSlot::Foliage);
    drawFoliage();
    endLitDrawing();
    drawWater();
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

    renderRefraction();
    renderReflection();
    renderScene();
    composeOntoWindow();
    drawOverlay();
}
