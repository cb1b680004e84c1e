#include <gtest/gtest.h>

#include <cmath>

#include "scene/tangent_space.h"

namespace {

void expectNear(Vec3 actual, Vec3 expected, float tolerance = 1e-6f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

bool finiteUnit(Vec3 v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::fabs(length(v) - 1.0f) < 1e-5f;
}

const Vec3 flatCorners[3] = {{0, 0, 0}, {1, 0, 0}, {0, 0, -1}};
const Vec3 flatMapping[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};

} // namespace

TEST(TangentSpace, FollowsTheTextureAxesOfTheTriangle)
{
    const TangentBasis basis = triangleTangentBasis(flatCorners, flatMapping, {0, 1, 0});
    expectNear(basis.tangent, {1, 0, 0});
    expectNear(basis.binormal, {0, 0, -1});

    // Scaled mapping and positions give the same unit vectors; r is ignored.
    const Vec3 corners[3] = {{2, 5, 2}, {6, 5, 2}, {2, 5, -1}};
    const Vec3 mapping[3] = {{0.5f, 0.5f, 9}, {0.75f, 0.5f, -3}, {0.5f, 1.0f, 7}};
    const TangentBasis scaled = triangleTangentBasis(corners, mapping, {0, 1, 0});
    expectNear(scaled.tangent, {1, 0, 0});
    expectNear(scaled.binormal, {0, 0, -1});
}

// Degenerate triangles get a frame around the normal: finite unit vectors,
// the tangent perpendicular to the normal and the binormal normal x tangent,
// keeping whichever of the texture's directions survives.
TEST(TangentSpace, DegenerateMappingsGetAFrameAroundTheNormal)
{
    const Vec3 same[3] = {{0.3f, 0.3f, 0}, {0.3f, 0.3f, 0}, {0.3f, 0.3f, 0}};  // zero texture area
    const Vec3 line[3] = {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}};                    // texture on a line
    const Vec3 point[3] = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}};                   // corners at one point
    const struct {
        const Vec3 (&corners)[3];
        const Vec3 (&mapping)[3];
        Vec3 normal;
    } cases[] = {
        {flatCorners, same, {0, 1, 0}}, {flatCorners, line, {0.3f, -2, 5}}, {point, flatMapping, {0, 1, 0}},
        {flatCorners, flatMapping, {1, 0, 0}},  // the tangent lies along the normal
        {flatCorners, flatMapping, {0, 0, 1}},  // the binormal lies along the normal
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const TangentBasis basis = triangleTangentBasis(cases[i].corners, cases[i].mapping, cases[i].normal);
        ASSERT_TRUE(finiteUnit(basis.tangent) && finiteUnit(basis.binormal));
        const Vec3 n = normalize(cases[i].normal);
        EXPECT_NEAR(dot(basis.tangent, n), 0.0f, 1e-5f);
        expectNear(basis.binormal, cross(n, basis.tangent), 1e-5f);
    }
    expectNear(triangleTangentBasis(flatCorners, flatMapping, {1, 0, 0}).binormal, {0, 0, -1});
    expectNear(triangleTangentBasis(flatCorners, flatMapping, {0, 0, 1}).tangent, {1, 0, 0});

    // Values near the float limits overflow on the way; the frame is still finite and of unit length.
    const Vec3 huge[3] = {{-3e38f, 0, 0}, {3e38f, 3e38f, 0}, {0, -3e38f, 3e38f}};
    const Vec3 tiny[3] = {{0, 0, 0}, {1e-38f, 0, 0}, {0, 1e-38f, 0}};
    for (Vec3 normal : {Vec3{3e38f, 3e38f, -3e38f}, Vec3{1e-30f, 0, 0}, Vec3{0, 1, 0}}) {
        const TangentBasis extreme = triangleTangentBasis(huge, tiny, normal);
        EXPECT_TRUE(finiteUnit(extreme.tangent) && finiteUnit(extreme.binormal));
    }
}

// The fifth group is the water: flat and facing up whatever its file says,
// even where its own frame would degenerate; other groups keep their normals.
TEST(TangentSpace, TheFifthGroupIsFlatWaterFacingUp)
{
    MeshGroup group;
    group.positions = {flatCorners[0], flatCorners[1], flatCorners[2]};
    group.texCoords = {flatMapping[0], flatMapping[1], flatMapping[2], {0.5f, 0.5f, 0}};
    for (const IndexTriple uv : {IndexTriple{0, 1, 2}, IndexTriple{3, 3, 3}})
        group.triangles.push_back({{0, 1, 2}, {0, 0, 1}, {}, {}, uv, 0});
    std::vector<MeshGroup> groups(6, group);
    computeTangents(groups);
    for (size_t g = 0; g < groups.size(); ++g)
        for (const MeshTriangle& t : groups[g].triangles) {
            if (g == WaterGroupIndex) {
                expectNear(t.tangent, {1, 0, 0}, 0);
                expectNear(t.binormal, {0, 0, 1}, 0);
                expectNear(t.normal, {0, 1, 0}, 0);
            } else {
                expectNear(t.normal, {0, 0, 1}, 0);
            }
        }
    expectNear(groups[0].triangles[0].tangent, {1, 0, 0});
}
