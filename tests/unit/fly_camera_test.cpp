#include <gtest/gtest.h>

#include <cmath>

#include "camera/fly_camera.h"
#include "camera/frame_timer.h"
#include "camera/mouse_screen.h"
#include "platform/platform.h"

namespace {
uint32_t fakeMilliseconds = 0;
uint32_t fakeClock() { return fakeMilliseconds; }

float elevation(const FlyCamera& camera)
{
    const Vec3 d = camera.view - camera.position;
    return std::asin(d.y / length(d));
}

// Angle to the left of +Z, about the vertical.
float heading(const FlyCamera& camera)
{
    const Vec3 d = camera.view - camera.position;
    return std::atan2(d.x, d.z);
}

class FlyCameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mouseScreenWidth = 1024;
        mouseScreenHeight = 768;
        pitchAngle = previousPitch = 0.0f;
        frameTimer = FrameTimer{};
        fakeMilliseconds = 0;
        platform::setClockSource(fakeClock);
        // Level, looking along +Z from the origin, Y up.
        camera.place(0, 0, 0, 0, 0, 1, 0, 1, 0);
    }
    void TearDown() override
    {
        platform::setClockSource(nullptr);
        pitchAngle = previousPitch = 0.0f;
        frameTimer = FrameTimer{};
    }

    // Cursor offset from the centre, in pixels: +x right, +y down.
    static FlyInput mouseMovedBy(int dx, int dy)
    {
        FlyInput input;
        input.cursor = {512 + dx, 384 + dy};
        return input;
    }
    static FlyInput keysHeld(FlyKeys keys)
    {
        FlyInput input = mouseMovedBy(0, 0);
        input.keys = keys;
        return input;
    }

    FlyCamera camera;
};
} // namespace

TEST_F(FlyCameraTest, PlaceStoresTheViewVectorAtUnitLengthAsAPoint)
{
    camera.place(0, 0.19f, 0.68f, 0.00001f, 0.19f, 1.0f, 0, 1, 0);
    EXPECT_FLOAT_EQ(camera.position.y, 0.19f);
    EXPECT_FLOAT_EQ(camera.position.z, 0.68f);
    EXPECT_NEAR(camera.view.x, 9.82424e-06f, 1e-10f);
    EXPECT_NEAR(camera.view.y, 0.186661f, 1e-6f);
    EXPECT_NEAR(camera.view.z, 0.982424f, 1e-6f) << "not added to the position";

    camera.place(1, 2, 3, 0, 2, 0, 0, 3, 0);
    EXPECT_FLOAT_EQ(camera.view.y, 1.0f) << "a view vector of length 2 becomes its unit vector";
    EXPECT_FLOAT_EQ(camera.up.y, 3.0f) << "up is kept as given";
}

TEST_F(FlyCameraTest, CentreIsHalfTheConfiguredResolution)
{
    EXPECT_EQ(mouseCentre().x, 512);
    EXPECT_EQ(mouseCentre().y, 384);
    mouseScreenWidth = 1601;
    mouseScreenHeight = 1201;
    EXPECT_EQ(mouseCentre().x, 800);
    EXPECT_EQ(mouseCentre().y, 600);
}

TEST_F(FlyCameraTest, CursorAtTheCentreChangesNothing)
{
    pitchAngle = 0.3f;
    previousPitch = 0.7f;
    const Vec3 view = camera.view;
    EXPECT_FALSE(camera.updateWith(mouseMovedBy(0, 0))) << "no warp needed";
    EXPECT_EQ(camera.view.x, view.x);
    EXPECT_EQ(camera.view.y, view.y);
    EXPECT_EQ(camera.view.z, view.z);
    EXPECT_EQ(pitchAngle, 0.3f);
    EXPECT_EQ(previousPitch, 0.7f);
}

TEST_F(FlyCameraTest, PitchIsClampedToItsAsymmetricLimits)
{
    struct Case {
        float pitchBefore;
        int pixelsDown; // negative: mouse moved up
        float pitchAfter;
        float turnUp;
    };
    const Case cases[] = {
        {0.0f, -10, 0.02f, 0.02f},
        {0.9f, -100, 1.0f, 0.1f},  // stops at the limit: 0.1, not 0.2
        {1.0f, -100, 1.0f, 0.0f},  // already there
        {1.0f, 50, 0.9f, -0.1f},   // and back down freely
        {0.5f, -250, 1.0f, 0.5f},  // landing exactly on the limit is inside it
        {-1.3f, 100, -1.4f, -0.1f},
        {-1.4f, 10, -1.4f, 0.0f},
        {-1.4f, -10, -1.38f, 0.02f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pitch " << c.pitchBefore << ", " << c.pixelsDown << " px down");
        camera.place(0, 0, 0, 0, 0, 1, 0, 1, 0);
        pitchAngle = c.pitchBefore;
        EXPECT_TRUE(camera.mouseLook({512, 384 + c.pixelsDown}));
        EXPECT_FLOAT_EQ(previousPitch, c.pitchBefore);
        EXPECT_NEAR(pitchAngle, c.pitchAfter, 1e-6f);
        EXPECT_NEAR(elevation(camera), c.turnUp, 1e-5f);
        EXPECT_NEAR(heading(camera), 0.0f, 1e-6f);
    }
}

TEST_F(FlyCameraTest, YawTurnsAboutTheWorldVerticalEvenAtThePitchLimit)
{
    pitchAngle = 1.0f;
    camera.mouseLook({512 - 100, 384 - 100}); // up and to the left
    EXPECT_NEAR(heading(camera), 0.2f, 1e-5f) << "left is a positive turn";
    EXPECT_NEAR(elevation(camera), 0.0f, 1e-6f);

    // The world's Y, not the camera's up vector, is the yaw axis.
    camera.place(0, 0, 0, 1, 0, 0, 0, 0, 1);
    pitchAngle = 0.0f;
    camera.mouseLook({512 + 100, 384});
    EXPECT_NEAR(camera.view.x, std::cos(0.2f), 1e-6f);
    EXPECT_NEAR(camera.view.y, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.view.z, std::sin(0.2f), 1e-6f);
}

TEST_F(FlyCameraTest, TurningKeepsPositionUpAndDistanceToTheViewPoint)
{
    camera.place(1, 2, 3, 0.3f, -0.4f, 0.5f, 0, 1, 0);
    const Vec3 position = camera.position;
    const float distance = length(camera.view - camera.position);
    for (int step = 0; step < 20; ++step)
        camera.mouseLook({512 + 37 * step % 90 - 45, 384 + 23 * step % 70 - 35});
    EXPECT_NEAR(length(camera.view - camera.position), distance, 1e-4f);
    EXPECT_EQ(camera.position.x, position.x);
    EXPECT_EQ(camera.position.y, position.y);
    EXPECT_EQ(camera.position.z, position.z);
    EXPECT_EQ(camera.up.y, 1.0f);
}

TEST_F(FlyCameraTest, KeysMoveHalfAUnitPerSecondOfThePreviousInterval)
{
    frameTimer.frameInterval = 2.0f; // a step of one world unit

    FlyKeys forwardTwice;
    forwardTwice.upArrow = forwardTwice.w = true;
    camera.updateWith(keysHeld(forwardTwice));
    EXPECT_NEAR(camera.position.z, 1.0f, 1e-6f) << "Up and W together move once";
    EXPECT_NEAR(camera.view.z, 2.0f, 1e-6f);

    frameTimer.frameInterval = 2.0f;
    FlyKeys opposite;
    opposite.upArrow = opposite.s = true;
    opposite.a = opposite.rightArrow = true;
    camera.updateWith(keysHeld(opposite));
    EXPECT_NEAR(camera.position.x, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.position.z, 1.0f, 1e-6f) << "opposite keys cancel";

    frameTimer.frameInterval = 2.0f;
    FlyKeys forwardRight;
    forwardRight.w = forwardRight.d = true;
    camera.updateWith(keysHeld(forwardRight));
    EXPECT_NEAR(camera.position.x, -1.0f, 1e-6f) << "right of +Z with Y up is -X";
    EXPECT_NEAR(camera.position.z, 2.0f, 1e-6f);
}

TEST_F(FlyCameraTest, StrafingKeepsTheHeightMovingForwardFollowsTheTilt)
{
    camera.place(0, 1, 0, 0, -1, 1, 0, 1, 0); // looking down
    frameTimer.frameInterval = 2.0f;
    FlyKeys left;
    left.leftArrow = true;
    camera.updateWith(keysHeld(left));
    EXPECT_FLOAT_EQ(camera.position.y, 1.0f);
    EXPECT_NEAR(camera.position.x, 1.0f, 1e-6f);

    frameTimer.frameInterval = 2.0f;
    FlyKeys forward;
    forward.upArrow = true;
    camera.updateWith(keysHeld(forward));
    EXPECT_LT(camera.position.y, 1.0f) << "forward while looking down descends";
}

TEST_F(FlyCameraTest, FirstUpdateMovesNothingTheSecondUsesTheWholeFirstInterval)
{
    fakeMilliseconds = 3000;
    FlyKeys forward;
    forward.w = true;
    camera.updateWith(keysHeld(forward));
    EXPECT_EQ(camera.position.z, 0.0f);
    EXPECT_FLOAT_EQ(frameTimer.frameInterval, 3.0f);

    camera.updateWith(keysHeld(forward));
    EXPECT_NEAR(camera.position.z, 1.5f, 1e-6f);
    EXPECT_EQ(frameTimer.frameInterval, 0.0f) << "the same millisecond";
}

TEST_F(FlyCameraTest, SidewaysMoveUsesTheRightVectorFromBeforeThatUpdatesTurn)
{
    frameTimer.frameInterval = 2.0f;
    FlyInput input = mouseMovedBy(-785, 0); // a quarter turn left
    input.keys.d = true;
    EXPECT_TRUE(camera.updateWith(input)) << "the cursor must go back to the centre";
    EXPECT_NEAR(heading(camera), 1.57f, 1e-5f);
    EXPECT_NEAR(camera.position.x, -1.0f, 1e-6f);
    EXPECT_NEAR(camera.position.z, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.strafeVector.x, -1.0f, 1e-6f);
}

TEST_F(FlyCameraTest, WithoutADisplayTheRealUpdateNeitherTurnsNorMoves)
{
    fakeMilliseconds = 1234;
    const Vec3 view = camera.view;
    camera.update();
    camera.update();
    EXPECT_EQ(camera.view.x, view.x);
    EXPECT_EQ(camera.view.z, view.z);
    EXPECT_EQ(camera.position.z, 0.0f);
    EXPECT_FLOAT_EQ(frameTimer.previousTime, 1.234f) << "the timer still ticks";
}
