#include "scene/scene_mesh.h"

#include <algorithm>
#include <string>

#include "gpu/gl_extensions.h"
#include "gpu/log.h"
#include "gpu/texture_units.h"
#include "image/texture_makers.h"
#include "scene/kxr_parser.h"
#include "scene/scene_file_text.h"
#include "scene/tangent_space.h"

using X = GlExtensions;

namespace {

void enableOnUnit(GLenum unit, GLuint texture)
{
    selectTextureUnit(unit);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
}

} // namespace

void SceneMesh::clear()
{
    groups = {};
    baseTextures = {};
    normalTextures = {};
    detailTextures[0] = detailTextures[1] = 0;
    surface_.clear();
    surfaceBuilt_ = false;
    wet_ = false;
}

bool SceneMesh::load(const char* fileName)
{
    SceneData data;
    {
        std::string text;
        switch (readSceneFileText(fileName, text)) {
        case SceneFileRead::CannotOpen:
            return false;
        case SceneFileRead::TooLarge:
            Log::instance()->write(std::string(fileName) + ": the file is larger than "
                                   + std::to_string(MaxSceneFileBytes >> 20) + " MiB");
            clear();
            return false;
        case SceneFileRead::Ok:
            break;
        }
        std::string error;
        if (!parseKxr(text, fileName, data, error)) {
            Log::instance()->write(error);
            clear();
            return false;
        }
    }

    clear();
    const int materials = static_cast<int>(data.materials.size());
    baseTextures.assign(static_cast<size_t>(materials), 0);
    normalTextures.assign(static_cast<size_t>(materials), 0);
    loadTexture(detailTextures, "Textures\\detail1normal.bmp", 0);
    loadTexture(detailTextures, "Textures\\water_normal3.bmp", 1);
    for (int i = 0; i < materials; ++i) {
        loadTexture(baseTextures.data(), data.materials[i].base.c_str(), i);
        loadTexture(normalTextures.data(), data.materials[i].normal.c_str(), i);
    }

    groups = std::move(data.groups);
    computeTangents();
    for (MeshGroup& group : groups)
        group.build();
    findGroundBelowWater();
    return true;
}

void SceneMesh::computeTangents()
{
    ::computeTangents(groups);
}

void SceneMesh::draw(const ViewClip& clip, const WaterSide& water) const
{
    if (!X::multitextureReady())
        return;
    for (size_t i = 0; i < groups.size(); ++i) {
        const MeshGroup& group = groups[i];
        if (group.triangles.empty() || !group.hasBuffers())
            continue;  // no material to bind, or nothing to draw from
        // A group takes its material from its first triangle.
        const int m = group.triangles[0].materialIndex;
        if (m != UntexturedMaterial) {
            enableOnUnit(TextureUnit::Base, baseTextures[static_cast<size_t>(m)]);
            enableOnUnit(TextureUnit::Normal, normalTextures[static_cast<size_t>(m)]);
            enableOnUnit(TextureUnit::Detail, detailTextures[i == WaterGroupIndex ? 1 : 0]);
        }
        // A group out of sight still binds its material, so what is bound
        // afterwards does not depend on the view.
        if (!boxOutsideView(clip, group.boundsMin, group.boundsMax) && !water.leavesOut(group.boundsMin, group.boundsMax))
            group.draw();
    }
    for (GLenum unit : {TextureUnit::Normal, TextureUnit::Detail, TextureUnit::Base}) {
        selectTextureUnit(unit);
        glDisable(GL_TEXTURE_2D);
    }
}

void SceneMesh::deleteTextures()
{
    if (!baseTextures.empty())
        glDeleteTextures(static_cast<GLsizei>(baseTextures.size()), baseTextures.data());
    if (!normalTextures.empty())
        glDeleteTextures(static_cast<GLsizei>(normalTextures.size()), normalTextures.data());
    glDeleteTextures(2, detailTextures);
    std::fill(baseTextures.begin(), baseTextures.end(), 0);
    std::fill(normalTextures.begin(), normalTextures.end(), 0);
    detailTextures[0] = detailTextures[1] = 0;
}

void SceneMesh::deleteBuffers()
{
    for (MeshGroup& group : groups)
        group.deleteBuffers();
}

bool SceneMesh::groundBelowWater(Vec3& lo, Vec3& hi) const
{
    lo = wetLo_;
    hi = wetHi_;
    return wet_;
}

void SceneMesh::findGroundBelowWater()
{
    wet_ = false;
    for (const MeshGroup& group : groups)
        for (const MeshTriangle& triangle : group.triangles) {
            const Vec3 corners[3] = {group.positions[static_cast<size_t>(triangle.positionIndices.a)],
                                     group.positions[static_cast<size_t>(triangle.positionIndices.b)],
                                     group.positions[static_cast<size_t>(triangle.positionIndices.c)]};
            if (corners[0].y >= 0.0f && corners[1].y >= 0.0f && corners[2].y >= 0.0f)
                continue;
            for (Vec3 c : corners) {
                c.y = 0.0f;  // the box lies flat in the water plane
                wetLo_ = wet_ ? componentMin(wetLo_, c) : c;
                wetHi_ = wet_ ? componentMax(wetHi_, c) : c;
                wet_ = true;
            }
        }
}

bool SceneMesh::openAbove(Vec3 point, float clearance) const
{
    if (!surfaceBuilt_) {
        surface_.build(groups);
        surfaceBuilt_ = true;
    }
    return surface_.openAbove(point, clearance);
}

bool SceneMesh::bounds(Vec3& lo, Vec3& hi) const
{
    bool found = false;
    for (const MeshGroup& group : groups) {
        if (group.triangles.empty())
            continue;
        lo = found ? componentMin(lo, group.boundsMin) : group.boundsMin;
        hi = found ? componentMax(hi, group.boundsMax) : group.boundsMax;
        found = true;
    }
    return found;
}
