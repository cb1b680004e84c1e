#include "scene/mesh_group.h"

#include "gpu/gl_extensions.h"

using X = GlExtensions;

namespace {

void upload(GLuint& name, GLenum target, GLsizeiptrARB size, const void* data)
{
    X::glGenBuffersARB(1, &name);
    X::glBindBufferARB(target, name);
    X::glBufferDataARB(target, size, data, GL_STATIC_DRAW_ARB);
}

GLsizeiptrARB byteSize(const std::vector<Vec3>& array)
{
    return static_cast<GLsizeiptrARB>(array.size() * sizeof(Vec3));
}

// Buffer offsets are passed where client arrays would take pointers.
const void* const atStart = nullptr;

void texCoordArray(GLenum unit, GLuint buffer)
{
    X::glClientActiveTextureARB(unit);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    X::glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
    glTexCoordPointer(3, GL_FLOAT, 0, atStart);
}

} // namespace

bool MeshGroup::hasBuffers() const
{
    for (GLuint name : buffers)
        if (name == 0)
            return false;
    return true;
}

void MeshGroup::createBuffers()
{
    if (!X::buffersReady())
        return;
    upload(buffers[PositionBuffer], GL_ARRAY_BUFFER_ARB, byteSize(vertexPositions), vertexPositions.data());
    upload(buffers[TexCoordBuffer], GL_ARRAY_BUFFER_ARB, byteSize(vertexTexCoords), vertexTexCoords.data());
    upload(buffers[NormalBuffer], GL_ARRAY_BUFFER_ARB, byteSize(vertexNormals), vertexNormals.data());
    upload(buffers[TangentBuffer], GL_ARRAY_BUFFER_ARB, byteSize(vertexTangents), vertexTangents.data());
    upload(buffers[BinormalBuffer], GL_ARRAY_BUFFER_ARB, byteSize(vertexBinormals), vertexBinormals.data());
    upload(buffers[IndexBuffer], GL_ELEMENT_ARRAY_BUFFER_ARB,
           static_cast<GLsizeiptrARB>(indices.size() * sizeof(uint32_t)), indices.data());
    bufferedIndexCount = indices.size();
    vertexPositions = {};
    vertexTexCoords = {};
    vertexNormals = {};
    vertexTangents = {};
    vertexBinormals = {};
    indices = {};
}

void MeshGroup::build()
{
    buildVertexArrays();
    createBuffers();
}

void MeshGroup::draw() const
{
    if (!hasBuffers() || !X::buffersReady() || !X::multitextureReady())
        return;

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    X::glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffers[NormalBuffer]);
    glNormalPointer(GL_FLOAT, 0, atStart);
    X::glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffers[PositionBuffer]);
    glVertexPointer(3, GL_FLOAT, 0, atStart);

    // The shaders read the tangent as texture coordinate 1 and the binormal as 2.
    texCoordArray(GL_TEXTURE0_ARB, buffers[TexCoordBuffer]);
    texCoordArray(GL_TEXTURE1_ARB, buffers[TangentBuffer]);
    texCoordArray(GL_TEXTURE2_ARB, buffers[BinormalBuffer]);

    X::glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, buffers[IndexBuffer]);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(bufferedIndexCount), GL_UNSIGNED_INT, atStart);

    for (GLenum unit : {GL_TEXTURE2_ARB, GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
        X::glClientActiveTextureARB(unit);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void MeshGroup::deleteBuffers()
{
    // Without the delete entry point the buffers die with their context; the
    // names are forgotten either way so they are never used again.
    for (GLuint& name : buffers) {
        if (name != 0 && X::glDeleteBuffersARB)
            X::glDeleteBuffersARB(1, &name);
        name = 0;
    }
    bufferedIndexCount = 0;
}
