#pragma once

#include <cstdint>
#include <vector>

#include "camera/vec3.h"
#include "gpu/gl_headers.h"

static_assert(sizeof(Vec3) == 3 * sizeof(float), "vertex arrays are uploaded as packed floats");

// Material index of a triangle whose group is drawn with whatever textures are
// bound (written 100 in the scene file).
constexpr int UntexturedMaterial = 99;

// Three 0-based indices, one per triangle corner.
struct IndexTriple {
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;

    int32_t operator[](int corner) const { return corner == 0 ? a : corner == 1 ? b : c; }
};

struct MeshTriangle {
    IndexTriple positionIndices;
    Vec3 normal;    // from the file, z negated; (0, 1, 0) in the water group
    Vec3 tangent;   // unit, see tangent_space.h
    Vec3 binormal;  // unit
    IndexTriple texCoordIndices;
    int32_t materialIndex = 0;  // into the mesh's texture arrays, or UntexturedMaterial
};

// One group of triangles, drawn with one indexed draw call from six buffers.
struct MeshGroup {
    enum Buffer { PositionBuffer, TexCoordBuffer, NormalBuffer, TangentBuffer, BinormalBuffer, IndexBuffer, BufferCount };

    // As read from the file: positions in scene units, texture coordinates as
    // (s, t, r), triangles in file order.
    std::vector<Vec3> positions;
    std::vector<Vec3> texCoords;
    std::vector<MeshTriangle> triangles;

    // Per-vertex arrays and the triangle index list made by buildVertexArrays.
    std::vector<Vec3> vertexPositions;
    std::vector<Vec3> vertexTexCoords;
    std::vector<Vec3> vertexNormals;
    std::vector<Vec3> vertexTangents;
    std::vector<Vec3> vertexBinormals;
    std::vector<uint32_t> indices;

    // 0 while the group has no buffers (not built, no buffer support, released).
    GLuint buffers[BufferCount] = {};
    // What the index buffer holds; the arrays themselves are let go once uploaded.
    size_t bufferedIndexCount = 0;
    // The box around every vertex, made by buildVertexArrays.
    Vec3 boundsMin;
    Vec3 boundsMax;

    // Expands the triangles into one vertex per corner; only a corner that
    // repeats the first corner's position and texture-coordinate pair shares
    // vertex 0. Needs no GL context. Every index must be in range, as the scene
    // reader guarantees.
    void buildVertexArrays();
    // Uploads the built arrays into six static buffers, then frees the arrays:
    // the driver keeps its own copy, and memory handed back while the scenes
    // load is reused by the next scene instead of being taken fresh. Does
    // nothing without buffer support.
    void createBuffers();
    void build();
    // Draws the triangles from the buffers; binds no texture. Draws nothing
    // without buffers or multitexture support.
    void draw() const;
    void deleteBuffers();

    bool hasBuffers() const;
    // Of the built arrays, until createBuffers lets them go.
    size_t vertexCount() const { return vertexPositions.size(); }
    size_t indexCount() const { return indices.size(); }
};
