// The demo tour's camera paths and the waypoint files they are read from and recorded into.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#endif

#include "camera/camera_path.h"
#include "camera/fly_camera.h"
#include "camera/waypoint_file.h"
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

namespace {

class WaypointFileTest : public ::testing::Test {
protected:
    // Entries this test wrote to the log (the directory starts without one); the log goes.
    static std::string takeLog()
    {
        const std::string log = std::filesystem::exists("Log.txt") ? readTextFile("Log.txt") : "";
        std::filesystem::remove("Log.txt");
        return log;
    }
    static CameraPath load(const std::string& content)
    {
        writeFile("path.wps", content);
        CameraPath path;
        loadWaypoints(path, "path.wps");
        return path;
    }
    static std::string records(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += std::to_string(i) + " 0 0\n0 0 " + std::to_string(i) + "\n";
        return text;
    }

    ScopedWorkingDirectory cwd_{makeTempDir("waypoints")};
};

} // namespace

TEST_F(WaypointFileTest, RecordingAppendsTwoLinesInGeneralNumberFormThatReadBack)
{
    FlyCamera camera;
    camera.place(0, 0.19f, 0.68f, 0.00001f, 0.19f, 1.0f, 0, 1, 0);
    EXPECT_TRUE(appendWaypoint(camera.position, camera.view));
    EXPECT_TRUE(appendWaypoint({12.5f, 1234567.0f, -0.0000098f}, {1, 2, 3}));
    EXPECT_EQ(readTextFile("usrpath.wps"),
              "0 0.19 0.68\n9.82424e-06 0.186661 0.982424\n12.5 1.23457e+06 -9.8e-06\n1 2 3\n");
    CameraPath path;
    loadWaypoints(path, "usrpath.wps");
    ASSERT_EQ(path.count, 2u);
    EXPECT_NEAR(path.waypoints[0].target.x, 9.82424e-06f, 1e-11f);
    EXPECT_TRUE(path.waypoints[1].eye.x == 12.5f && path.waypoints[1].target.z == 3.0f);
    EXPECT_EQ(takeLog(), "");
}

#ifndef _WIN32
// A write cut short for real: a child process with a file size limit appends
// a record (26 + 6 bytes). Whatever part the limit let through, the file is
// back byte for byte as it was (or gone if it was not there) and the failure
// logged; with room for the whole record it is written.
TEST_F(WaypointFileTest, AnAppendThatFailsPartwayLeavesTheFileAsItWas)
{
    const std::pair<std::string, off_t> cases[] = {{records(10), 0}, {records(10), 10}, {records(10), 26},
                                                   {records(10), 29}, {"-", 10}, {records(10), 32}};
    for (const auto& [before, room] : cases) {  // "-": no file; room: bytes allowed past its size
        std::filesystem::remove("usrpath.wps");
        if (before != "-")
            writeFile("usrpath.wps", before);
        const rlim_t limit = (before != "-" ? before.size() : 0) + static_cast<rlim_t>(room);
        std::fflush(nullptr);  // the child's exit flushes only what it writes itself
        const pid_t child = fork();
        if (child == 0) {
            const rlimit fileSize{limit, limit};
            std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
            setrlimit(RLIMIT_FSIZE, &fileSize);
            std::exit(appendWaypoint({12.5f, 1234567.0f, -0.0000098f}, {1, 2, 3}) ? 10 : 20);
        }
        int status = 0;
        ASSERT_TRUE(child > 0 && waitpid(child, &status, 0) == child);
        const bool whole = room >= 32;
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, whole ? 10 : 20) << room;
        EXPECT_EQ(std::filesystem::exists("usrpath.wps") ? readFile("usrpath.wps") : "-",
                  whole ? before + "12.5 1.23457e+06 -9.8e-06\n1 2 3\n" : before) << room;
        const std::string log = takeLog();  // without a file the limit leaves no room for the entry either
        EXPECT_TRUE(whole || before == "-" || log == "ERROR: Can't write waypoint file: usrpath.wps; the waypoint was not recorded\n\n") << log;
    }
}
#endif

// How many records a text holds, and whether reading it leaves one log entry:
// layout does not matter, a partial record is none, text that is not a number
// ends the reading (keeping what was read), and records past a hundred are dropped.
TEST_F(WaypointFileTest, RecordsReadUntilTheEndTheFirstNonNumberOrAHundred)
{
    const struct {
        std::string text;
        uint32_t records;
        bool logged;
    } cases[] = {
        {"1 2 3\t4\r\n5    6\n\n7 8 9 10 11 12 13", 2, false},
        {"1 2 3\n4 5 6", 1, false},
        {" \n\t", 0, false},
        {"1 2 3 4 5 6\n7 8 x 9 10 11\n12 13 14 15 16 17\n", 1, true},
        {"1 2 3 4 inf 1 2 3 4 5 6\n", 0, true},
        {"1 2 3 4 nan 1 2 3 4 5 6\n", 0, true},
        {"1 2 3 4 1,5 1 2 3 4 5 6\n", 0, true},
        {"1 2 3 4 " + std::string(300, '1') + " 1 2 3 4 5 6\n", 0, true},
        {records(100), 100, false},
        {records(250), 100, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.text).count, c.records) << c.text.substr(0, 40);
        const std::string log = takeLog();
        EXPECT_EQ(log.starts_with("ERROR: Waypoint file path.wps") && log.find("\n\n") == log.size() - 2, c.logged)
            << c.text.substr(0, 40) << log;
    }
    EXPECT_EQ(load("1 2 3 4 5 6 7 8 9 10 11 12").waypoints[1].target.z, 12.0f);
}

TEST_F(WaypointFileTest, AMissingFileLeavesAnEmptyPathAndALogEntry)
{
    CameraPath path = load(records(5));
    EXPECT_FALSE(loadWaypoints(path, "Scene/c9wp.wps"));
    EXPECT_EQ(path.count, 0u);
    EXPECT_EQ(path.waypoints[4].target.z, 0.0f) << "no stale waypoints";
    EXPECT_EQ(takeLog(), "ERROR: Can't open waypoint file: Scene/c9wp.wps\n\n");
}
