#include <gtest/gtest.h>

#include "camera/fly_camera.h"
#include "camera/waypoint_file.h"
#include "support/test_files.h"

using namespace testing_support;

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
