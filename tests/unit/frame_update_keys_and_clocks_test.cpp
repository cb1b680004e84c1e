// The per-frame update without a window: mode keys, waypoint recording, the
// frame counter, the water and sky clocks and the tour. Without a display the
// fly camera reads the cursor as the centre and no movement key as held, so
// in the free-fly modes it stands still.
#include <gtest/gtest.h>

#include <vector>

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
std::string startPoses(int count)
{
    std::string all;
    for (int i = 0; i < count; ++i)
        all += "0 0.19 0.68\n9.82424e-06 0.186661 0.982424\n";
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

    // One frame with exactly these keys down, after these tapped through the window.
    void frame(const std::vector<int>& held, uint32_t milliseconds = 16, const std::vector<int>& tapped = {},
               AppWindow* window = nullptr)
    {
        keys_ = KeyState{};
        for (int key : tapped)
            for (uint32_t message : {WM_KEYDOWN, WM_KEYUP})
                handleWindowMessage(*window, message, static_cast<uintptr_t>(key), 0);
        for (int key : held)
            keys_.keyDown[key] = 1;
        update(milliseconds);
    }

    KeyState keys_{};
    ScopedWorkingDirectory cwd_{makeTempDir("frame-update")};
};

constexpr int numpad1 = 0x61, numpad2 = 0x62, numpad3 = 0x63;

} // namespace

// The highest digit held picks the mode, which outlasts the key; the keypad's
// digits are other keys.
TEST_F(FrameUpdate, HighestHeldDigitPicksTheModeAndTheModeOutlastsTheKey)
{
    using namespace CameraMode;
    const std::pair<std::vector<int>, int32_t> steps[] = {
        {{'2', '3'}, FreeFlyRecording}, {{}, FreeFlyRecording}, {{'1', '2'}, FreeFly}, {{'1', '2', '3'}, FreeFlyRecording},
        {{'1'}, DemoTour}, {{numpad2}, DemoTour}, {{numpad3}, DemoTour}, {{numpad1, numpad2, numpad3}, DemoTour}};
    for (const auto& [held, mode] : steps) {
        frame(held);
        EXPECT_EQ(cameraMode, mode) << testing::PrintToString(held);
    }
}

// Q in recording mode (3) appends the camera pose once per press, however many
// frames it is held. A latch set there outlives a stay in free fly (2): neither
// a new press there nor one carried back into 3 records, until a recording
// frame with Q up clears it. A tap quicker than a frame (down and up through
// the window procedure between two updates) acts once, in the next update.
TEST_F(FrameUpdate, QRecordsThePoseOncePerPressInRecordingMode)
{
    const struct {
        std::vector<int> held;
        int frames, records;
        std::vector<int> tapped = {};  // before the step's first frame
    } steps[] = {
        {{'3'}, 1, 0}, {{'Q'}, 30, 1}, {{}, 1, 1}, {{'Q'}, 2, 2}, {{}, 1, 2}, {{'3', 'Q'}, 1, 3},
        {{'2', 'Q'}, 1, 3}, {{}, 1, 3}, {{'Q'}, 1, 3}, {{'3', 'Q'}, 1, 3}, {{'Q'}, 1, 3}, {{}, 1, 3}, {{'Q'}, 1, 4},
        {{'2', 'Q'}, 1, 4}, {{'3'}, 1, 4}, {{'Q'}, 1, 5},  // back in 3 with Q up: cleared in that very frame
        {{}, 1, 5}, {{}, 1, 6, {'Q', 'Q'}}, {{}, 1, 6}, {{}, 1, 7, {'Q'}}, {{}, 1, 7}, {{}, 1, 7, {'2'}},
        {{}, 1, 7, {'Q'}}, {{}, 1, 8, {'3', 'Q'}},
    };
    AppWindow window{};
    window.keys = &keys_;
    for (size_t i = 0; i < std::size(steps); ++i) {
        for (int f = 0; f < steps[i].frames; ++f)
            frame(steps[i].held, 16, f == 0 ? steps[i].tapped : std::vector<int>{}, &window);
        const bool written = std::filesystem::exists("usrpath.wps");
        EXPECT_EQ(written ? readTextFile("usrpath.wps") : "", startPoses(steps[i].records)) << "step " << i;
    }
}

// The sky blend moves 0.04 per second (whatever the mode), overshoots by one
// step at either end, then turns.
TEST_F(FrameUpdate, SkyBlendTurnsOneStepBeyondEitherEnd)
{
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
