// The per-frame update without a window: mode keys, waypoint recording, the
// frame counter, the water and sky clocks and the tour. Without a display the
// fly camera reads the cursor as the centre and no movement key as held, so
// in the free-fly modes it stands still.
#include <gtest/gtest.h>

#include <initializer_list>

#include "app/app_window.h"
#include "app/frame_hooks.h"
#include "camera/frame_timer.h"
#include "demo/demo_state.h"
#include "demo/frame_update.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

// The start-up pose as "usrpath.wps" records it: the position, then the unit
// vector of (0.00001, 0.19, 1.0) that place() stores as the look-at point.
constexpr const char* startPoseRecord = "0 0.19 0.68\n9.82424e-06 0.186661 0.982424\n";

std::string times(const std::string& text, int count)
{
    std::string all;
    for (int i = 0; i < count; ++i)
        all += text;
    return all;
}

class FrameUpdate : public ::testing::Test {
protected:
    void SetUp() override
    {
        frameState = {};
        cameraMode = CameraMode::DemoTour;
        tour = CameraTour{};
        camera = FlyCamera{};
        camera.place(0.0f, 0.19f, 0.68f, 0.00001f, 0.19f, 1.0f, 0.0f, 1.0f, 0.0f);
        pitch = PitchState{};
        frameTimer = FrameTimer{};
        activeKeys = &keys_;
        activeWindow = nullptr;
    }
    void TearDown() override { activeKeys = nullptr; }

    // One frame with exactly these keys down.
    void frame(std::initializer_list<int> held, uint32_t milliseconds = 16)
    {
        keys_ = KeyState{};
        for (int key : held)
            keys_.keyDown[key] = 1;
        update(milliseconds);
    }

    static std::string recorded()
    {
        return std::filesystem::exists("usrpath.wps") ? readTextFile("usrpath.wps") : std::string();
    }

    KeyState keys_{};
    std::filesystem::path dir_ = makeTempDir("frame-update");
    ScopedWorkingDirectory cwd_{dir_};
};

constexpr int numpad1 = 0x61, numpad2 = 0x62, numpad3 = 0x63;

} // namespace

TEST_F(FrameUpdate, HighestHeldDigitPicksTheModeAndTheModeOutlastsTheKey)
{
    frame({'2', '3'});
    EXPECT_EQ(cameraMode, CameraMode::FreeFlyRecording);
    frame({});
    EXPECT_EQ(cameraMode, CameraMode::FreeFlyRecording);
    frame({'1', '2'});
    EXPECT_EQ(cameraMode, CameraMode::FreeFly);
    frame({'1', '2', '3'});
    EXPECT_EQ(cameraMode, CameraMode::FreeFlyRecording);
    frame({'1'});
    EXPECT_EQ(cameraMode, CameraMode::DemoTour);
    // The keypad's digits are other keys.
    frame({numpad2});
    frame({numpad3});
    frame({numpad1, numpad2, numpad3});
    EXPECT_EQ(cameraMode, CameraMode::DemoTour);
}

TEST_F(FrameUpdate, QHeldManyFramesRecordsTheStartPoseOnceAndEachNewPressAgain)
{
    frame({'3'});
    for (int i = 0; i < 30; ++i)
        frame({'Q'});
    EXPECT_EQ(recorded(), startPoseRecord);
    EXPECT_TRUE(frameState.recordLatch);

    frame({});
    EXPECT_FALSE(frameState.recordLatch);
    EXPECT_EQ(recorded(), startPoseRecord);
    frame({'Q'});
    frame({'Q'});
    EXPECT_EQ(recorded(), times(startPoseRecord, 2));
}

TEST_F(FrameUpdate, LatchLeftSetOutsideRecordingIsClearedOnlyByAFrameBackInRecordingWithQUp)
{
    frame({'3', 'Q'});
    ASSERT_EQ(recorded(), startPoseRecord);

    // Q let go in free fly: the latch stays, so neither a new press there nor
    // one that carries into recording mode records.
    frame({'2', 'Q'});
    frame({});
    EXPECT_TRUE(frameState.recordLatch);
    frame({'Q'});
    frame({'3', 'Q'});
    frame({'Q'});
    EXPECT_EQ(recorded(), startPoseRecord);

    // The first recording frame with Q up clears it; the press after records.
    frame({});
    EXPECT_FALSE(frameState.recordLatch);
    EXPECT_EQ(recorded(), startPoseRecord);
    frame({'Q'});
    EXPECT_EQ(recorded(), times(startPoseRecord, 2));

    // Coming back with Q up clears it in that very frame.
    frame({'2', 'Q'});
    frame({'3'});
    EXPECT_FALSE(frameState.recordLatch);
    frame({'Q'});
    EXPECT_EQ(recorded(), times(startPoseRecord, 3));
}

// The water clock grows a hundredth per second in every mode; the sky blend
// overshoots by one step at either end, then turns.
TEST_F(FrameUpdate, WaterClockAndSkyBlend)
{
    frame({'2'}, 1000);
    frame({'3'}, 1000);
    EXPECT_FLOAT_EQ(frameState.waterTime, 0.02f);
    frameState.skyBlend = 0.0f;
    frame({'1'}, 30000);
    EXPECT_FLOAT_EQ(frameState.skyBlend, 1.2f);
    EXPECT_FALSE(frameState.skyBlendFalling);
    frame({}, 100);
    EXPECT_TRUE(frameState.skyBlendFalling);
    EXPECT_FLOAT_EQ(frameState.skyBlend, 1.2f - 0.004f);

    frameState.skyBlend = 0.01f;
    frame({}, 1000);
    EXPECT_FLOAT_EQ(frameState.skyBlend, 0.01f - 0.04f);
    EXPECT_TRUE(frameState.skyBlendFalling);
    frame({}, 1000);
    EXPECT_FALSE(frameState.skyBlendFalling);
    EXPECT_FLOAT_EQ(frameState.skyBlend, 0.01f);
}
