#include "scene/mesh_group.h"

void MeshGroup::buildVertexArrays()
{
    vertexPositions.clear();
    vertexTexCoords.clear();
    vertexNormals.clear();
    vertexTangents.clear();
    vertexBinormals.clear();
    indices.clear();

    const size_t corners = triangles.size() * 3;
    vertexPositions.reserve(corners);
    vertexTexCoords.reserve(corners);
    vertexNormals.reserve(corners);
    vertexTangents.reserve(corners);
    vertexBinormals.reserve(corners);
    indices.reserve(corners);

    // Only the group's very first corner is remembered for reuse: shared
    // corners elsewhere get vertices of their own, so every vertex keeps its
    // triangle's flat normal and tangent frame.
    IndexTriple first;
    if (!triangles.empty())
        first = {triangles[0].positionIndices.a, triangles[0].texCoordIndices.a, 0};

    for (const MeshTriangle& triangle : triangles) {
        for (int corner = 0; corner < 3; ++corner) {
            const int32_t p = triangle.positionIndices[corner];
            const int32_t q = triangle.texCoordIndices[corner];
            if (!vertexPositions.empty() && p == first.a && q == first.b) {
                indices.push_back(static_cast<uint32_t>(first.c));
                continue;
            }
            indices.push_back(static_cast<uint32_t>(vertexPositions.size()));
            vertexPositions.push_back(positions[static_cast<size_t>(p)]);
            vertexTexCoords.push_back(texCoords[static_cast<size_t>(q)]);
            vertexNormals.push_back(triangle.normal);
            vertexTangents.push_back(triangle.tangent);
            vertexBinormals.push_back(triangle.binormal);
        }
    }

    boundsMin = boundsMax = vertexPositions.empty() ? Vec3{} : vertexPositions[0];
    for (const Vec3& v : vertexPositions) {
        boundsMin = componentMin(boundsMin, v);
        boundsMax = componentMax(boundsMax, v);
    }
}
