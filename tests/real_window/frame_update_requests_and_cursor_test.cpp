// The per-frame update against a real window: the quit and fullscreen
// requests it posts, and the fly camera reading and warping the real cursor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/frame_hooks.h"
#include "demo/demo_state.h"
#include "demo/frame_update.h"
#include "real_window/test_window.h"

using namespace testing_support;

namespace {

class FrameUpdateWindowTest : public TestWindow {
protected:
    void SetUp() override
    {
        prepareWindow();
        fullscreenWanted = 0;
        ASSERT_TRUE(createAppWindow(window_));
        takeMessages();

        frameState = {};
        cameraMode = CameraMode::DemoTour;
        tour = CameraTour{};
        camera.place(0.0f, 0.19f, 0.68f, 0.00001f, 0.19f, 1.0f, 0.0f, 1.0f, 0.0f);
        pitch = PitchState{};
        activeWindow = &window_;
        activeKeys = &keys_;
    }
    void TearDown() override
    {
        activeWindow = nullptr;
        activeKeys = nullptr;
        TestWindow::TearDown();
    }

    // Takes the window's messages in queue order without dispatching them, as
    // the main loop sees them up to its WM_QUIT.
    std::vector<uint32_t> takeMessages()
    {
        std::vector<uint32_t> taken;
        for (platform::Message message; platform::peekMessage(message, window_.hWnd);)
            taken.push_back(message.message);
        return taken;
    }
};

} // namespace

TEST_F(FrameUpdateWindowTest, EscapeAndF1InOneFrameQueueTheQuitFirstAndTheFrameGoesOn)
{
    keys_.keyDown[VK_ESCAPE] = 1;
    keys_.keyDown[VK_F1] = 1;
    update(40);

    EXPECT_EQ(appRunning, 0);
    const std::vector<uint32_t> taken = takeMessages();
    ASSERT_FALSE(taken.empty());
    EXPECT_EQ(taken.front(), WM_QUIT);
    EXPECT_NE(std::find(taken.begin() + 1, taken.end(), WM_TOGGLEFULLSCREEN), taken.end());
    // The rest of the frame still ran.
    EXPECT_EQ(frameState.fpsFrameCount, 1u);
    EXPECT_FLOAT_EQ(frameState.waterTime, 0.0004f);
}

TEST_F(FrameUpdateWindowTest, WaypointIsThePoseBeforeTheFramesMouseTurn)
{
    const std::filesystem::path dir = makeTempDir("frame-update-window");
    {
        ScopedWorkingDirectory cwd(dir);
        // 100 pixels right of the centre (512, 384): this frame turns the camera.
        platform::setCursorPos(612, 384);
        keys_.keyDown['3'] = 1;
        keys_.keyDown['Q'] = 1;
        update(16);
        EXPECT_EQ(readTextFile("usrpath.wps"), "0 0.19 0.68\n9.82424e-06 0.186661 0.982424\n");
    }
    std::filesystem::remove_all(dir);

    const Vec3 direction = camera.view - camera.position;
    const Vec3 start = Vec3{0.00001f, 0.19f, 1.0f} * (1.0f / length(Vec3{0.00001f, 0.19f, 1.0f}))
                       - Vec3{0.0f, 0.19f, 0.68f};
    const float turned = std::atan2(direction.x, direction.z) - std::atan2(start.x, start.z);
    EXPECT_NEAR(turned, -0.2f, 1e-3f);

    int x = 0, y = 0;
    ASSERT_TRUE(platform::getCursorPos(x, y));
    EXPECT_TRUE(x == 512 && y == 384) << "the cursor goes back to the centre: " << x << ", " << y;
}
