// The free-fly camera: mouse look, keys, and the frame timer whose interval moves it.
#include <gtest/gtest.h>

#include <cmath>

#include "camera/fly_camera.h"
#include "camera/frame_timer.h"
#include "camera/mouse_screen.h"
#include "platform/platform.h"

namespace {

// The view direction's angle above the horizon, and to the left of +Z about the vertical.
float elevation(const FlyCamera& c) { return std::asin((c.view - c.position).y / length(c.view - c.position)); }
float heading(const FlyCamera& c) { return std::atan2((c.view - c.position).x, (c.view - c.position).z); }

class FlyCameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mouseScreenWidth = 1024;
        mouseScreenHeight = 768;
        // Level, looking along +Z from the origin, Y up.
        camera.place(0, 0, 0, 0, 0, 1, 0, 1, 0);
    }
    void TearDown() override
    {
        pitch = PitchState{};
        frameTimer = FrameTimer{};
    }

    // One update with the cursor on the centre, these keys held, over a
    // previous frame interval of 2 s: a step of one world unit.
    void moveWith(FlyKeys keys)
    {
        frameTimer.frameInterval = 2.0f;
        camera.updateWith(FlyInput{{512, 384}, keys});
    }

    FlyCamera camera;
};
} // namespace

TEST_F(FlyCameraTest, PitchIsClampedToItsAsymmetricLimits)
{
    const struct {
        float pitchBefore;
        int pixelsDown; // negative: mouse moved up
        float pitchAfter, turnUp;
    } cases[] = {
        {0.0f, -10, 0.02f, 0.02f},
        {0.9f, -100, 1.0f, 0.1f},  // stops at the limit: 0.1, not 0.2
        {1.0f, -100, 1.0f, 0.0f},  // already there
        {1.0f, 50, 0.9f, -0.1f},   // and back down freely
        {0.5f, -250, 1.0f, 0.5f},  // landing exactly on the limit is inside it
        {-1.3f, 100, -1.4f, -0.1f},
        {-1.4f, 10, -1.4f, 0.0f},
        {-1.4f, -10, -1.38f, 0.02f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "pitch " << c.pitchBefore << ", " << c.pixelsDown << " px down");
        camera.place(0, 0, 0, 0, 0, 1, 0, 1, 0);
        pitch.angle = c.pitchBefore;
        EXPECT_TRUE(camera.mouseLook({512, 384 + c.pixelsDown}));
        EXPECT_FLOAT_EQ(pitch.previous, c.pitchBefore);
        EXPECT_NEAR(pitch.angle, c.pitchAfter, 1e-6f);
        EXPECT_NEAR(elevation(camera), c.turnUp, 1e-5f);
        EXPECT_NEAR(heading(camera), 0.0f, 1e-6f);
    }
}

TEST_F(FlyCameraTest, YawTurnsAboutTheWorldVerticalEvenAtThePitchLimit)
{
    pitch.angle = 1.0f;
    camera.mouseLook({512 - 100, 384 - 100}); // up and to the left
    EXPECT_NEAR(heading(camera), 0.2f, 1e-5f) << "left is a positive turn";
    EXPECT_NEAR(elevation(camera), 0.0f, 1e-6f);

    // The world's Y, not the camera's up vector, is the yaw axis.
    camera.place(0, 0, 0, 1, 0, 0, 0, 0, 1);
    pitch.angle = 0.0f;
    camera.mouseLook({512 + 100, 384});
    EXPECT_NEAR(length(camera.view - Vec3{std::cos(0.2f), 0.0f, std::sin(0.2f)}), 0.0f, 1e-6f);
}

TEST_F(FlyCameraTest, KeysMoveHalfAUnitPerSecondOfThePreviousInterval)
{
    FlyKeys keys;
    keys.upArrow = keys.w = true;
    moveWith(keys);
    EXPECT_NEAR(camera.position.z, 1.0f, 1e-6f) << "Up and W together move once";
    EXPECT_NEAR(camera.view.z, 2.0f, 1e-6f);
    keys.s = keys.a = keys.rightArrow = true;
    moveWith(keys);
    EXPECT_NEAR(camera.position.x, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.position.z, 1.0f, 1e-6f) << "opposite keys cancel";
    keys = FlyKeys{};
    keys.w = keys.d = true;
    moveWith(keys);
    EXPECT_NEAR(camera.position.x, -1.0f, 1e-6f) << "right of +Z with Y up is -X";
    EXPECT_NEAR(camera.position.z, 2.0f, 1e-6f);
}

namespace {
uint32_t fakeMilliseconds = 0;
uint32_t fakeClock() { return fakeMilliseconds; }
} // namespace

// The first tick measures from the clock's epoch, then from tick to tick,
// uncapped; across the 32-bit counter's wrap it gives the time that really passed.
TEST(FrameTimer, MeasuresFromTickToTickAndAcrossTheClocksWrap)
{
    platform::setClockSource(fakeClock);
    FrameTimer timer;
    const auto tickAt = [&](uint32_t milliseconds) {
        fakeMilliseconds = milliseconds;
        timer.tick();
        return timer.frameInterval;
    };
    EXPECT_FLOAT_EQ(tickAt(3000), 3.0f);
    EXPECT_NEAR(tickAt(3016), 0.016f, 1e-6f);
    EXPECT_EQ(tickAt(3016), 0.0f) << "two ticks in one millisecond";
    EXPECT_NEAR(tickAt(63016), 60.0f, 1e-5f) << "a long stretch without ticks (demo mode) comes out whole";
    tickAt(4'294'966'296u);  // 1,000 ms before the wrap
    EXPECT_FLOAT_EQ(tickAt(500), 1.5f) << "not minus 49.7 days";
    EXPECT_NEAR(tickAt(516), 0.016f, 1e-6f) << "and ordinary ticks again afterwards";
    platform::setClockSource(nullptr);
}
