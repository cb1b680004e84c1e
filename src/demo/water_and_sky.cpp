#include "demo/water_and_sky.h"

#include "demo/demo_state.h"
#include "demo/frame_update.h"
#include "gpu/texture_units.h"

namespace {

struct SkyVertex {
    float s, t;
    float x, y, z;
};

struct SkyFace {
    int firstSet;   // index into skyTextures; the second set is 6 further on
    SkyVertex vertices[4];
};

// Wound counter-clockwise as seen from inside, so culling shows the inside.
constexpr SkyFace skyFaces[5] = {
    {4, {{0, 0, -1000, 1000, 1000}, {0, 1, -1000, 1000, -1000}, {1, 1, 1000, 1000, -1000}, {1, 0, 1000, 1000, 1000}}},
    {3, {{1, 1, -1000, 1000, 1000}, {1, 0, -1000, -1000, 1000}, {0, 0, -1000, -1000, -1000}, {0, 1, -1000, 1000, -1000}}},
    {2, {{1, 1, -1000, 1000, -1000}, {1, 0, -1000, -1000, -1000}, {0, 0, 1000, -1000, -1000}, {0, 1, 1000, 1000, -1000}}},
    {1, {{1, 1, 1000, 1000, -1000}, {1, 0, 1000, -1000, -1000}, {0, 0, 1000, -1000, 1000}, {0, 1, 1000, 1000, 1000}}},
    {0, {{1, 1, 1000, 1000, 1000}, {1, 0, 1000, -1000, 1000}, {0, 0, -1000, -1000, 1000}, {0, 1, -1000, 1000, 1000}}},
};

// The sky blends the first set (on the base unit) into the second (on the
// normal unit). The water takes its reflection on the base unit, whose cube-map
// target holds the sky, its waves on the normal unit and the refraction image
// on the shadow unit.
constexpr GLenum firstSkyUnit = TextureUnit::Base, secondSkyUnit = TextureUnit::Normal;
constexpr GLenum reflectionUnit = TextureUnit::Base, waveUnit = TextureUnit::Normal,
                 refractionUnit = TextureUnit::Shadow;

} // namespace

void drawSky()
{
    shaders.use(ProgramSlot::Sky);
    shaders.setUniform1f(ProgramSlot::Sky, "time", frameState.skyBlend);
    shaders.setUniform1i(ProgramSlot::Sky, "tex1", TextureUnit::samplerIndex(firstSkyUnit));
    shaders.setUniform1i(ProgramSlot::Sky, "tex2", TextureUnit::samplerIndex(secondSkyUnit));

    glPushMatrix();
    glTranslatef(0.0f, 200.0f, 0.0f);
    for (const SkyFace& face : skyFaces) {
        bindOnUnit(firstSkyUnit, GL_TEXTURE_2D, skyTextures[face.firstSet]);
        bindOnUnit(secondSkyUnit, GL_TEXTURE_2D, skyTextures[face.firstSet + 6]);
        glBegin(GL_QUADS);
        for (const SkyVertex& v : face.vertices) {
            glTexCoord2f(v.s, v.t);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
    selectTextureUnit(secondSkyUnit);
    glDisable(GL_TEXTURE_2D);
    selectTextureUnit(firstSkyUnit);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    shaders.unuse();
}

void drawWater()
{
    shaders.use(ProgramSlot::Water);
    shaders.setUniform1i(ProgramSlot::Water, "cube", TextureUnit::samplerIndex(reflectionUnit));
    shaders.setUniform1i(ProgramSlot::Water, "normalMap", TextureUnit::samplerIndex(waveUnit));
    shaders.setUniform1i(ProgramSlot::Water, "refractionMap", TextureUnit::samplerIndex(refractionUnit));
    shaders.setUniform4f(ProgramSlot::Water, "camPos", camera.position.x, camera.position.y,
                         camera.position.z, 0.0f);
    shaders.setUniform1f(ProgramSlot::Water, "time", frameState.waterTime);

    // Unit 0's cube-map target still holds the sky from start-up; its 2D
    // target gets the reflection image.
    bindOnUnit(reflectionUnit, GL_TEXTURE_2D, renderTargets.texture(TargetSlot::Reflection));
    bindOnUnit(waveUnit, GL_TEXTURE_2D, waterNormalMap[0]);
    bindOnUnit(refractionUnit, GL_TEXTURE_2D, renderTargets.texture(TargetSlot::Refraction));

    constexpr float h = waterHalfSize;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 3.0f);
    glVertex3f(h, 0.0f, h);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(h, 0.0f, -h);
    glTexCoord2f(3.0f, 0.0f);
    glVertex3f(-h, 0.0f, -h);
    glTexCoord2f(3.0f, 3.0f);
    glVertex3f(-h, 0.0f, h);
    glEnd();

    selectTextureUnit(refractionUnit);
    selectTextureUnit(waveUnit);
    selectTextureUnit(reflectionUnit);
    shaders.unuse();
}
