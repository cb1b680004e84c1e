#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "scene/mesh_group.h"

namespace {

using Corner = std::pair<int, int>;  // position index, texture-coordinate index

// A group with five distinct positions and texture coordinates; triangle i
// carries normal (i, 0, 0), tangent (0, i, 0) and binormal (0, 0, i) so every
// vertex shows which triangle it came from.
MeshGroup groupWith(const std::vector<std::vector<Corner>>& triangles)
{
    MeshGroup group;
    for (int i = 0; i < 5; ++i) {
        group.positions.push_back({float(i), float(10 + i), float(20 + i)});
        group.texCoords.push_back({0.1f * i, 0.2f * i, 0.3f * i});
    }
    for (size_t i = 0; i < triangles.size(); ++i) {
        MeshTriangle triangle;
        const auto& c = triangles[i];
        triangle.positionIndices = {c[0].first, c[1].first, c[2].first};
        triangle.texCoordIndices = {c[0].second, c[1].second, c[2].second};
        const float n = float(i + 1);
        triangle.normal = {n, 0, 0};
        triangle.tangent = {0, n, 0};
        triangle.binormal = {0, 0, n};
        group.triangles.push_back(triangle);
    }
    group.buildVertexArrays();
    return group;
}

void expectVertex(const MeshGroup& group, size_t vertex, Corner corner, int triangle)
{
    SCOPED_TRACE(vertex);
    ASSERT_LT(vertex, group.vertexCount());
    const Vec3 p = group.positions[size_t(corner.first)];
    const Vec3 t = group.texCoords[size_t(corner.second)];
    EXPECT_EQ(group.vertexPositions[vertex].x, p.x);
    EXPECT_EQ(group.vertexPositions[vertex].z, p.z);
    EXPECT_EQ(group.vertexTexCoords[vertex].y, t.y);
    EXPECT_EQ(group.vertexTexCoords[vertex].z, t.z);
    const float n = float(triangle + 1);
    EXPECT_EQ(group.vertexNormals[vertex].x, n);
    EXPECT_EQ(group.vertexTangents[vertex].y, n);
    EXPECT_EQ(group.vertexBinormals[vertex].z, n);
}

} // namespace

TEST(MeshIndexing, SharedCornersGetVerticesOfTheirOwn)
{
    const MeshGroup group = groupWith({{{0, 0}, {1, 1}, {2, 2}}, {{2, 2}, {1, 1}, {3, 3}}});
    EXPECT_EQ(group.vertexCount(), 6u);
    EXPECT_EQ(group.indices, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
    expectVertex(group, 3, {2, 2}, 1);  // flat: the second triangle's frame
    expectVertex(group, 4, {1, 1}, 1);
}

TEST(MeshIndexing, OnlyTheFirstCornerOfTheGroupIsReused)
{
    const MeshGroup group = groupWith({{{0, 0}, {1, 1}, {2, 2}}, {{0, 0}, {2, 2}, {3, 3}}});
    EXPECT_EQ(group.vertexCount(), 5u);
    EXPECT_EQ(group.indices, (std::vector<uint32_t>{0, 1, 2, 0, 3, 4}));
    expectVertex(group, 0, {0, 0}, 0);  // shared, keeps the first triangle's frame
    expectVertex(group, 3, {2, 2}, 1);
    expectVertex(group, 4, {3, 3}, 1);

    // Within the first triangle too.
    const MeshGroup again = groupWith({{{4, 1}, {4, 1}, {2, 2}}});
    EXPECT_EQ(again.indices, (std::vector<uint32_t>{0, 0, 1}));
}

TEST(MeshIndexing, TheFirstPositionWithAnotherTextureCoordinateIsANewVertex)
{
    const MeshGroup group = groupWith({{{0, 0}, {1, 1}, {2, 2}}, {{0, 3}, {3, 0}, {0, 0}}});
    EXPECT_EQ(group.indices, (std::vector<uint32_t>{0, 1, 2, 3, 4, 0}));
    expectVertex(group, 3, {0, 3}, 1);
    expectVertex(group, 4, {3, 0}, 1);
}
