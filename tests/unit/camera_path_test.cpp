#include <gtest/gtest.h>

#include "camera/camera_path.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {
// Waypoint i has its eye at (base + i, 0, 0) and its target 1 above it.
void fill(CameraPath& path, uint32_t count, float base = 0.0f)
{
    path.count = count;
    for (uint32_t i = 0; i < count; ++i)
        path.waypoints[i] = {{base + static_cast<float>(i), 0, 0}, {base + static_cast<float>(i), 1, 0}};
}

void expectShows(const CameraPath& path, float eyeX)
{
    EXPECT_NEAR(path.eye.x, eyeX, 1e-5f);
    EXPECT_NEAR(path.target.x, eyeX, 1e-5f);
    EXPECT_EQ(path.target.y, 1.0f);
}
} // namespace

// A segment lasts 1,960 ms and never shows its end; a long frame passes one segment at most.
TEST(CameraPath, ASegmentLasts1960MillisecondsAndALongFramePassesOneAtMost)
{
    CameraPath path;
    fill(path, 3);
    for (int frame = 1; frame <= 244; ++frame)
        EXPECT_FALSE(path.advance(8.0f));
    EXPECT_EQ(path.segment, 0u);
    expectShows(path, 0.972f);
    EXPECT_FALSE(path.advance(8.0f)); // 1,960 ms in all
    expectShows(path, 0.976f);
    EXPECT_TRUE(path.segment == 1 && path.t == 0.0f);
    path.advance(8.0f);
    expectShows(path, 1.0f); // the next waypoint itself
    EXPECT_EQ(path.nextIndex, 2u);

    path = CameraPath{};
    fill(path, 4);
    EXPECT_FALSE(path.advance(5000.0f));
    EXPECT_TRUE(path.segment == 1 && path.t == 0.0f);
    path.advance(4294967295.0f);
    EXPECT_EQ(path.segment, 2u);
}

TEST(CameraTour, PathsHandOverInTurnEachStartingFromItsFirstWaypoint)
{
    CameraTour tour;
    fill(tour.paths[0], 2, 0.0f);
    fill(tour.paths[1], 2, 10.0f);
    fill(tour.paths[2], 1, 20.0f);
    tour.paths[1].eye = {15, 0, 0}; // where it stopped on an earlier tour
    tour.paths[1].target = {15, 1, 0};
    tour.paths[1].segment = 1;
    tour.paths[1].t = 0.5f;

    advanceTour(tour, 1960.0f);
    advanceTour(tour, 1960.0f); // path 0 completes its loop
    EXPECT_EQ(&tour.currentView(), &tour.paths[1]);
    expectShows(tour.currentView(), 15.0f); // as last set, for this one frame
    EXPECT_TRUE(tour.paths[1].segment == 0 && tour.paths[1].nextIndex == 1 && tour.paths[1].t == 0.0f);

    advanceTour(tour, 16.0f);
    expectShows(tour.currentView(), 10.0f); // then its own first waypoint

    advanceTour(tour, 1960.0f);
    advanceTour(tour, 1960.0f);
    EXPECT_EQ(tour.currentPath, 2u);

    // A single waypoint stands fixed for one segment's time, then hands over.
    for (int frame = 0; frame < 244; ++frame) {
        advanceTour(tour, 8.0f);
        expectShows(tour.currentView(), 20.0f);
    }
    EXPECT_EQ(tour.currentPath, 2u);
    advanceTour(tour, 8.0f);
    EXPECT_EQ(tour.currentPath, 0u) << "after the third path the first comes back";
    EXPECT_EQ(tour.paths[0].segment, 0u);
}

TEST(CameraTour, LoadingShowsEachFirstWaypointAndKeepsPlaybackPositions)
{
    auto dir = makeTempDir("camera-tour");
    ScopedWorkingDirectory cwd(dir);
    writeFile("Scene/c1wp.wps", "1 2 3\n4 5 6\n7 8 9\n10 11 12\n");
    writeFile("Scene/c2wp.wps", "-1 -2 -3 -4 -5 -6");
    // Scene/c3wp.wps is missing.

    CameraTour tour;
    tour.currentPath = 2;
    tour.paths[0].segment = 1;
    tour.paths[0].t = 0.25f;
    fill(tour.paths[2], 5, 50.0f); // from an earlier start-up
    loadTour(tour);

    EXPECT_EQ(tour.currentPath, 0u);
    EXPECT_EQ(tour.paths[0].count, 2u);
    EXPECT_TRUE(tour.paths[0].eye.x == 1.0f && tour.paths[0].target.z == 6.0f && tour.paths[1].eye.y == -2.0f);
    EXPECT_TRUE(tour.paths[0].segment == 1 && tour.paths[0].t == 0.25f) << "playback positions kept";
    EXPECT_TRUE(tour.paths[2].count == 0 && tour.paths[2].eye.x == 0.0f) << "no stale waypoints from before";
}
