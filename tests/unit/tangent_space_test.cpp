#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "scene/tangent_space.h"

namespace {

void expectNear(Vec3 actual, float x, float y, float z, float tolerance = 1e-6f)
{
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// What every basis must be, degenerate or not: finite unit vectors, the
// tangent perpendicular to the (non-zero) normal, and for a fallback frame a
// binormal that completes it as normal x tangent.
void expectSoundFallback(TangentBasis basis, Vec3 normal)
{
    ASSERT_TRUE(finite(basis.tangent));
    ASSERT_TRUE(finite(basis.binormal));
    EXPECT_NEAR(length(basis.tangent), 1.0f, 1e-5f);
    EXPECT_NEAR(length(basis.binormal), 1.0f, 1e-5f);
    EXPECT_NEAR(dot(basis.tangent, basis.binormal), 0.0f, 1e-5f);
    if (length(normal) > 0.0f) {
        const Vec3 n = normalize(normal);
        EXPECT_NEAR(dot(basis.tangent, n), 0.0f, 1e-5f);
        const Vec3 b = cross(n, basis.tangent);
        expectNear(basis.binormal, b.x, b.y, b.z, 1e-5f);
    }
}

const Vec3 flatCorners[3] = {{0, 0, 0}, {1, 0, 0}, {0, 0, -1}};
const Vec3 flatMapping[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};

} // namespace

TEST(TangentSpace, FollowsTheTextureAxesOfTheTriangle)
{
    const TangentBasis basis = triangleTangentBasis(flatCorners, flatMapping, {0, 1, 0});
    expectNear(basis.tangent, 1, 0, 0);
    expectNear(basis.binormal, 0, 0, -1);

    // Scaled mapping and positions give the same unit vectors; r is ignored.
    const Vec3 corners[3] = {{2, 5, 2}, {6, 5, 2}, {2, 5, -1}};
    const Vec3 mapping[3] = {{0.5f, 0.5f, 9}, {0.75f, 0.5f, -3}, {0.5f, 1.0f, 7}};
    const TangentBasis scaled = triangleTangentBasis(corners, mapping, {0, 1, 0});
    expectNear(scaled.tangent, 1, 0, 0);
    expectNear(scaled.binormal, 0, 0, -1);
}

TEST(TangentSpace, DegenerateMappingsGetAFrameAroundTheNormal)
{
    const Vec3 up{0, 1, 0};

    // All three corners share one texture coordinate: zero texture area.
    const Vec3 same[3] = {{0.3f, 0.3f, 0}, {0.3f, 0.3f, 0}, {0.3f, 0.3f, 0}};
    expectSoundFallback(triangleTangentBasis(flatCorners, same, up), up);

    // Texture coordinates along one line: zero area too.
    const Vec3 line[3] = {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}};
    expectSoundFallback(triangleTangentBasis(flatCorners, line, {0.3f, -2, 5}), {0.3f, -2, 5});

    // The tangent lies along the normal, so nothing is left of it; the
    // binormal's direction is kept in the frame.
    const TangentBasis alongNormal = triangleTangentBasis(flatCorners, flatMapping, {1, 0, 0});
    expectSoundFallback(alongNormal, {1, 0, 0});
    expectNear(alongNormal.binormal, 0, 0, -1);

    // The binormal lies along the normal: the tangent's direction is kept.
    const TangentBasis binormalAlongNormal = triangleTangentBasis(flatCorners, flatMapping, {0, 0, 1});
    expectSoundFallback(binormalAlongNormal, {0, 0, 1});
    expectNear(binormalAlongNormal.tangent, 1, 0, 0);

    // All corners at one point: the raw tangent and binormal vanish.
    const Vec3 point[3] = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}};
    expectSoundFallback(triangleTangentBasis(point, flatMapping, up), up);

    // Values near the float limits overflow on the way; whichever way the
    // frame is found, it is finite and of unit length.
    const Vec3 huge[3] = {{-3e38f, 0, 0}, {3e38f, 3e38f, 0}, {0, -3e38f, 3e38f}};
    const Vec3 tiny[3] = {{0, 0, 0}, {1e-38f, 0, 0}, {0, 1e-38f, 0}};
    for (Vec3 normal : {Vec3{3e38f, 3e38f, -3e38f}, Vec3{1e-30f, 0, 0}, Vec3{0, 1, 0}}) {
        const TangentBasis extreme = triangleTangentBasis(huge, tiny, normal);
        ASSERT_TRUE(finite(extreme.tangent));
        ASSERT_TRUE(finite(extreme.binormal));
        EXPECT_NEAR(length(extreme.tangent), 1.0f, 1e-5f);
        EXPECT_NEAR(length(extreme.binormal), 1.0f, 1e-5f);
    }
}

namespace {

MeshGroup groupOfTriangles(int count, Vec3 normal)
{
    MeshGroup group;
    group.positions = {flatCorners[0], flatCorners[1], flatCorners[2]};
    group.texCoords = {flatMapping[0], flatMapping[1], flatMapping[2], {0.5f, 0.5f, 0}};
    for (int i = 0; i < count; ++i) {
        MeshTriangle triangle;
        triangle.positionIndices = {0, 1, 2};
        triangle.texCoordIndices = {0, 1, 2};
        triangle.normal = normal;
        group.triangles.push_back(triangle);
    }
    return group;
}

} // namespace

TEST(TangentSpace, TheFifthGroupIsFlatWaterFacingUp)
{
    std::vector<MeshGroup> groups;
    for (int g = 0; g < 6; ++g)
        groups.push_back(groupOfTriangles(2, {0, 0, 1}));
    // A water triangle whose own frame would degenerate.
    groups[4].triangles[1].texCoordIndices = {3, 3, 3};
    computeTangents(groups);

    for (size_t g = 0; g < groups.size(); ++g) {
        for (const MeshTriangle& triangle : groups[g].triangles) {
            if (g == WaterGroupIndex) {
                expectNear(triangle.tangent, 1, 0, 0, 0);
                expectNear(triangle.binormal, 0, 0, 1, 0);
                expectNear(triangle.normal, 0, 1, 0, 0);
            } else {
                expectNear(triangle.normal, 0, 0, 1, 0);  // the file's normal stays
                expectNear(triangle.tangent, 1, 0, 0);
            }
        }
    }
}
