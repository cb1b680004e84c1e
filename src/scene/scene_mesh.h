#pragma once

#include <vector>

#include "gpu/gl_headers.h"
#include "scene/mesh_group.h"
#include "scene/surface_grid.h"
#include "scene/view_culling.h"

// One scene file's geometry with its material textures: loaded (and reloaded
// in every window cycle) by load, drawn by draw, its GL objects released by
// deleteTextures and deleteBuffers while the context still exists. The
// destructor frees memory only.
class SceneMesh {
public:
    // Reads a .kxr file (see kxr_parser.h) and builds the mesh: the two detail
    // textures and every material's two textures, tangents, vertex arrays and,
    // with buffer support, six buffers per group. A successful load replaces
    // the whole content.
    // A file that cannot be opened or read returns false and leaves the mesh
    // as it was, without a word. A malformed or oversized file returns false,
    // writes one log entry naming the file, place and problem, and leaves the
    // mesh empty; no texture is made from it.
    // A texture bitmap that cannot be decoded ends the program (loadTexture).
    bool load(const char* fileName);

    // Draws every group, binding its first triangle's material on units 0 and
    // 1 and the detail map (the water map for group 4) on unit 3; a group of
    // material UntexturedMaterial keeps whatever is bound. Ends with 2D
    // texturing disabled on units 0, 1 and 3 and unit 0 active. Unit 2 is
    // never touched. Draws nothing without multitexture support. Groups that
    // cannot reach the picture (or the region of it the clip bounds), or that
    // lie wholly on the side of the water the picture does not need, are not
    // drawn (they still bind their material).
    void draw(const ViewClip& clip = {}, const WaterSide& water = {}) const;

    // The box over the triangles that reach below the water plane y = 0, flat
    // at y = 0: where the water can be seen past this scenery. False when no
    // triangle reaches below.
    bool groundBelowWater(Vec3& lo, Vec3& hi) const;
    // The box around every group; false for a mesh without triangles.
    bool bounds(Vec3& lo, Vec3& hi) const;
    // The point is in the open above this mesh's surface, with no triangle
    // within `clearance` of it (see SurfaceGrid). The grid is built at the
    // first question, not at load: only the main scenery is ever asked, and
    // start-up need not pay for the others.
    bool openAbove(Vec3 point, float clearance) const;

    // Release the GL objects of this window cycle; the names are forgotten so
    // that nothing uses or deletes them again.
    void deleteTextures();
    void deleteBuffers();

    // Tangent and binormal of every triangle (tangent_space.h).
    void computeTangents();

    int materialCount() const { return static_cast<int>(baseTextures.size()); }
    int groupCount() const { return static_cast<int>(groups.size()); }

    std::vector<MeshGroup> groups;
    std::vector<GLuint> baseTextures;    // unit 0, one per material
    std::vector<GLuint> normalTextures;  // unit 1, one per material
    GLuint detailTextures[2] = {};       // unit 3: detail normal map, water normal map

private:
    void clear();
    void findGroundBelowWater();

    mutable SurfaceGrid surface_;
    mutable bool surfaceBuilt_ = false;
    Vec3 wetLo_;
    Vec3 wetHi_;
    bool wet_ = false;
};
