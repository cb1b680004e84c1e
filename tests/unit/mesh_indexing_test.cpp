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
        const auto& c = triangles[i];
        const float n = float(i + 1);
        group.triangles.push_back({{c[0].first, c[1].first, c[2].first}, {n, 0, 0}, {0, n, 0}, {0, 0, n},
                                   {c[0].second, c[1].second, c[2].second}, 0});
    }
    group.buildVertexArrays();
    return group;
}

// Vertex `vertex` holds the position and texture coordinate of `corner` and
// the frame of triangle `triangle`.
void expectVertex(const MeshGroup& group, size_t vertex, Corner corner, int triangle)
{
    ASSERT_LT(vertex, group.vertexCount());
    const float n = float(triangle + 1);
    const auto same = [](Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; };
    EXPECT_TRUE(same(group.vertexPositions[vertex], group.positions[size_t(corner.first)])
                && same(group.vertexTexCoords[vertex], group.texCoords[size_t(corner.second)])) << vertex;
    EXPECT_TRUE(group.vertexNormals[vertex].x == n && group.vertexTangents[vertex].y == n
                && group.vertexBinormals[vertex].z == n) << vertex;
}

} // namespace

// Only the group's very first corner is looked for again (a later corner with
// its position and texture coordinate reuses vertex 0, keeping the first
// triangle's frame); every other corner, shared or not, is a vertex of its own.
TEST(MeshIndexing, OnlyTheFirstCornerOfTheGroupIsReused)
{
    const MeshGroup distinct = groupWith({{{0, 0}, {1, 1}, {2, 2}}, {{2, 2}, {1, 1}, {3, 3}}});
    EXPECT_EQ(distinct.indices, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
    expectVertex(distinct, 3, {2, 2}, 1);  // flat: the second triangle's frame
    expectVertex(distinct, 4, {1, 1}, 1);

    const MeshGroup shared = groupWith({{{0, 0}, {1, 1}, {2, 2}}, {{0, 0}, {2, 2}, {3, 3}}});
    EXPECT_EQ(shared.indices, (std::vector<uint32_t>{0, 1, 2, 0, 3, 4}));
    EXPECT_EQ(shared.vertexCount(), 5u);
    expectVertex(shared, 0, {0, 0}, 0);
    expectVertex(shared, 3, {2, 2}, 1);
    expectVertex(shared, 4, {3, 3}, 1);

    EXPECT_EQ(groupWith({{{4, 1}, {4, 1}, {2, 2}}}).indices, (std::vector<uint32_t>{0, 0, 1})) << "within the first triangle too";
    // The first position with another texture coordinate is a new vertex.
    const MeshGroup other = groupWith({{{0, 0}, {1, 1}, {2, 2}}, {{0, 3}, {3, 0}, {0, 0}}});
    EXPECT_EQ(other.indices, (std::vector<uint32_t>{0, 1, 2, 3, 4, 0}));
    expectVertex(other, 3, {0, 3}, 1);
    expectVertex(other, 4, {3, 0}, 1);
}
