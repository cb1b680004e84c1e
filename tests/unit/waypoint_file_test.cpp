#include <gtest/gtest.h>

#include <string>

#include "camera/fly_camera.h"
#include "camera/waypoint_file.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {
class WaypointFileTest : public ::testing::Test {
protected:
    WaypointFileTest() : dir(makeTempDir("waypoints")), cwd(dir) {}

    // Entries this test wrote to the log (the directory starts without one).
    static std::string logged() { return readFile("Log.txt"); }

    static int countOf(const std::string& text, const std::string& part)
    {
        int n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    }

    CameraPath load(const std::string& content)
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

    std::filesystem::path dir;
    ScopedWorkingDirectory cwd;
};
} // namespace

TEST_F(WaypointFileTest, RecordingTheStartPoseAppendsTwoLinesInGeneralNumberForm)
{
    FlyCamera camera;
    camera.place(0, 0.19f, 0.68f, 0.00001f, 0.19f, 1.0f, 0, 1, 0);
    EXPECT_TRUE(appendWaypoint(camera.position, camera.view));
    EXPECT_EQ(readFile("usrpath.wps"), "0 0.19 0.68\n9.82424e-06 0.186661 0.982424\n");

    appendWaypoint({12.5f, 1234567.0f, -0.0000098f}, {1, 2, 3});
    EXPECT_EQ(readFile("usrpath.wps"), "0 0.19 0.68\n9.82424e-06 0.186661 0.982424\n"
                                       "12.5 1.23457e+06 -9.8e-06\n1 2 3\n");

    CameraPath path;
    loadWaypoints(path, "usrpath.wps");
    ASSERT_EQ(path.count, 2u);
    EXPECT_NEAR(path.waypoints[0].target.x, 9.82424e-06f, 1e-11f);
    EXPECT_EQ(path.waypoints[1].eye.x, 12.5f);
    EXPECT_EQ(path.waypoints[1].target.z, 3.0f);
    EXPECT_FALSE(std::filesystem::exists("Log.txt"));
}

TEST_F(WaypointFileTest, LayoutDoesNotMatterAndPartialRecordsAreNoRecords)
{
    CameraPath path = load("1 2 3\t4\r\n5    6\n\n7 8 9 10 11 12 13");
    EXPECT_EQ(path.count, 2u) << "thirteen numbers make two waypoints";
    EXPECT_EQ(path.waypoints[0].target.z, 6.0f);
    EXPECT_EQ(path.waypoints[1].eye.x, 7.0f);
    EXPECT_EQ(path.waypoints[1].target.z, 12.0f);
    EXPECT_EQ(path.waypoints[2].eye.x, 0.0f);

    EXPECT_EQ(load("1 2 3\n4 5 6").count, 1u) << "no line break after the last number";
    EXPECT_EQ(load("").count, 0u);
    EXPECT_EQ(load(" \n\t").count, 0u);
    EXPECT_FALSE(std::filesystem::exists("Log.txt"));
}

TEST_F(WaypointFileTest, TextThatIsNotANumberEndsTheReadingAndKeepsWhatWasRead)
{
    EXPECT_EQ(load("1 2 3 4 5 6\n7 8 x 9 10 11\n12 13 14 15 16 17\n").count, 1u);
    EXPECT_EQ(countOf(logged(), "path.wps"), 1);

    const std::string unusableTexts[] = {"inf", "nan", "-", ".", "e5", "1,5", std::string(300, '1')};
    for (const std::string& unusable : unusableTexts) {
        std::filesystem::remove("Log.txt");
        EXPECT_EQ(load("1 2 3 4 " + unusable + " 1 2 3 4 5 6\n").count, 0u) << unusable;
        EXPECT_EQ(countOf(logged(), "ERROR: Waypoint file path.wps"), 1) << unusable;
    }
}

TEST_F(WaypointFileTest, RecordsBeyondAHundredAreIgnoredWithOneLogEntry)
{
    CameraPath path = load(records(100));
    EXPECT_EQ(path.count, 100u);
    EXPECT_FALSE(std::filesystem::exists("Log.txt")) << "exactly full is fine";

    path = load(records(250));
    EXPECT_EQ(path.count, 100u);
    EXPECT_EQ(path.waypoints[99].target.z, 99.0f);
    EXPECT_EQ(countOf(logged(), "ERROR:"), 1);
    EXPECT_EQ(countOf(logged(), "path.wps"), 1);
}

TEST_F(WaypointFileTest, AMissingFileLeavesAnEmptyPathAndALogEntry)
{
    CameraPath path = load(records(5));
    EXPECT_FALSE(loadWaypoints(path, "Scene/c9wp.wps"));
    EXPECT_EQ(path.count, 0u);
    EXPECT_EQ(path.waypoints[4].target.z, 0.0f) << "no stale waypoints";
    EXPECT_EQ(countOf(logged(), "Scene/c9wp.wps"), 1);
}
