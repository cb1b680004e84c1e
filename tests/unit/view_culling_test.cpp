// What a pass may leave out, worked out from the program's own matrices: a
// box only when it cannot reach the picture (or the region asked for), a
// group by its side of the water, and the open air above a mesh's surface.
#include <gtest/gtest.h>

#include "scene/surface_grid.h"
#include "scene/view_culling.h"

namespace {

// A box is left out only when one clip plane has all of it beyond: behind the
// eye, past the far plane or wholly to one side (of the picture or of the
// region asked for); never when it reaches into the view or holds the eye.
TEST(ViewCulling, ABoxIsOutOnlyWhenWhollyBeyondOneClipPlane)
{
    const Mat4 projection = perspectiveMatrix(60.0, 1.0, 0.1, 100.0);  // at z = -5 the view reaches 2.89 to each side
    const ViewClip clip(projection, Mat4{});
    const struct {
        Vec3 lo, hi;
        bool out;
    } cases[] = {
        {{-0.5f, -0.5f, -5.5f}, {0.5f, 0.5f, -4.5f}, false},    // ahead
        {{2.0f, -0.5f, -5.5f}, {4.0f, 0.5f, -4.5f}, false},     // across the right edge
        {{-1.0f, -1.0f, -5.0f}, {1.0f, 1.0f, 5.0f}, false},     // around the eye
        {{-0.5f, -0.5f, 4.5f}, {0.5f, 0.5f, 5.5f}, true},       // behind the eye
        {{4.0f, -0.5f, -5.5f}, {6.0f, 0.5f, -4.5f}, true},      // right of the view
        {{-0.5f, 10.0f, -5.5f}, {0.5f, 11.0f, -4.5f}, true},    // above it
        {{-0.5f, -0.5f, -200.0f}, {0.5f, 0.5f, -150.0f}, true}, // past the far plane
    };
    for (const auto& c : cases) {
        EXPECT_EQ(boxOutsideView(clip, c.lo, c.hi), c.out) << c.lo.x << " " << c.lo.y << " " << c.lo.z;
        EXPECT_FALSE(boxOutsideView(ViewClip{}, c.lo, c.hi)) << "no view: everything may show";
    }
    // The same boxes seen by a camera turned round to look along +z.
    const ViewClip turned(projection, lookAtMatrix({}, {0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f}));
    EXPECT_TRUE(boxOutsideView(turned, {-0.5f, -0.5f, -5.5f}, {0.5f, 0.5f, -4.5f}));
    EXPECT_FALSE(boxOutsideView(turned, {-0.5f, -0.5f, 4.5f}, {0.5f, 0.5f, 5.5f}));

    // Narrowed to the right half of the picture, the left half is out.
    const ViewClip rightHalf(projection, Mat4{}, {0.0f, -1.0f, 1.0f, 1.0f});
    EXPECT_TRUE(boxOutsideView(rightHalf, {-2.0f, -0.5f, -5.5f}, {-1.0f, 0.5f, -4.5f}));
    EXPECT_FALSE(boxOutsideView(rightHalf, {-1.0f, -0.5f, -5.5f}, {1.0f, 0.5f, -4.5f}));
    EXPECT_TRUE(boxOutsideView(ViewClip(projection, Mat4{}, {0.5f, 0.0f, 0.5f, 1.0f}), {-1, -1, -5}, {1, 1, 5}))
        << "empty region";

    // Where a box can land: around its projection plus the margin, the whole
    // picture from around the eye, nothing from behind it or beside the picture.
    const ViewRegion ahead = projectedRegion(clip, {-0.5f, -0.5f, -5.5f}, {0.5f, 0.5f, -4.5f}, 0.1f);
    EXPECT_NEAR(ahead.left, -0.5f / 4.5f / 0.57735f - 0.1f, 1e-4f);
    EXPECT_NEAR(ahead.top, 0.5f / 4.5f / 0.57735f + 0.1f, 1e-4f);
    const ViewRegion around = projectedRegion(clip, {-1.0f, -1.0f, -5.0f}, {1.0f, 1.0f, 5.0f}, 0.0f);
    EXPECT_TRUE(around.left == -1.0f && around.bottom == -1.0f && around.right == 1.0f && around.top == 1.0f);
    EXPECT_TRUE(projectedRegion(clip, {-0.5f, -0.5f, 4.5f}, {0.5f, 0.5f, 5.5f}, 0.1f).empty());
    EXPECT_TRUE(projectedRegion(clip, {4.0f, -0.5f, -5.5f}, {6.0f, 0.5f, -4.5f}, 0.1f).empty());
}

TEST(ViewCulling, GroupsAreSortedByTheirSideOfTheWater)
{
    const struct {
        Vec3 lo, hi;
        bool reachingBelow, submerged;
    } cases[] = {
        {{-1, -0.5f, -1}, {1, -0.1f, 1}, true, true},    // under the water
        {{-1, -0.5f, -1}, {1, 0.1f, 1}, true, false},    // through it
        {{-1, -0.5f, -1}, {1, 0.0f, 1}, true, false},    // up to it
        {{-1, 0.1f, -1}, {1, 0.5f, 1}, false, false},    // over it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(!WaterSide{WaterSide::ReachingBelow}.leavesOut(c.lo, c.hi), c.reachingBelow) << c.lo.y << " " << c.hi.y;
        EXPECT_EQ(!WaterSide{WaterSide::Submerged}.leavesOut(c.lo, c.hi), c.submerged) << c.lo.y << " " << c.hi.y;
        EXPECT_EQ(!WaterSide{WaterSide::NotSubmerged}.leavesOut(c.lo, c.hi), !c.submerged) << c.lo.y << " " << c.hi.y;
        EXPECT_FALSE(WaterSide{}.leavesOut(c.lo, c.hi));
    }
}

// A flat floor at y = 0 over x, z in 0..4 (counter-clockwise seen from above,
// so facing up), and above it the top and bottom of a box over x, z in 1..2
// from y = 0.2 to 1.
std::vector<MeshGroup> floorAndBox()
{
    std::vector<MeshGroup> groups(2);
    MeshGroup& floor = groups[0];
    floor.positions = {{0, 0, 0}, {4, 0, 0}, {4, 0, 4}, {0, 0, 4}};
    floor.triangles.resize(2);
    floor.triangles[0].positionIndices = {0, 2, 1};
    floor.triangles[1].positionIndices = {0, 3, 2};
    MeshGroup& box = groups[1];
    for (int corner = 0; corner < 8; ++corner)
        box.positions.push_back({corner & 1 ? 2.0f : 1.0f, corner & 2 ? 1.0f : 0.2f, corner & 4 ? 2.0f : 1.0f});
    // Top facing up, bottom facing down.
    const IndexTriple faces[] = {{2, 6, 7}, {2, 7, 3}, {0, 1, 5}, {0, 5, 4}};
    for (const IndexTriple& f : faces) {
        box.triangles.emplace_back();
        box.triangles.back().positionIndices = f;
    }
    return groups;
}

TEST(SurfaceGrid, APointIsInTheOpenOnlyAboveAnUpFacingSurfaceWithNothingNear)
{
    const std::vector<MeshGroup> groups = floorAndBox();
    SurfaceGrid grid;
    grid.build(groups);
    const struct {
        Vec3 point;
        bool open;
        const char* what;
    } cases[] = {
        {{3.0f, 0.5f, 3.0f}, true, "above the floor"},
        {{3.0f, 0.01f, 3.0f}, false, "nearer the floor than the clearance"},
        {{3.0f, -0.5f, 3.0f}, false, "under the floor"},
        {{1.5f, 0.5f, 1.5f}, false, "inside the box: its bottom faces down"},
        {{1.5f, 1.5f, 1.5f}, true, "above the box"},
        {{1.5f, 0.19f, 1.5f}, false, "under the box, within the clearance"},
        {{1.5f, 0.1f, 1.5f}, true, "under the box, clear of it"},
        {{5.0f, 0.5f, 3.0f}, false, "beyond the surface"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(grid.openAbove(c.point, 0.02f), c.open) << c.what;
    EXPECT_FALSE(grid.openAbove({3.0f, 0.5f, 3.0f}, 0.6f)) << "a clearance that reaches the floor";

    // Wound the other way round, the floor faces down.
    std::vector<MeshGroup> flipped = floorAndBox();
    for (MeshTriangle& t : flipped[0].triangles)
        std::swap(t.positionIndices.b, t.positionIndices.c);
    grid.build(flipped);
    EXPECT_FALSE(grid.openAbove({3.0f, 0.5f, 3.0f}, 0.02f));
    grid.clear();
    EXPECT_FALSE(grid.openAbove({3.0f, 0.5f, 3.0f}, 0.02f));
}

} // namespace
