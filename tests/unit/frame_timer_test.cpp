#include <gtest/gtest.h>

#include "camera/frame_timer.h"
#include "platform/platform.h"

namespace {
uint32_t fakeMilliseconds = 0;
uint32_t fakeClock() { return fakeMilliseconds; }

class FrameTimerTest : public ::testing::Test {
protected:
    void SetUp() override { platform::setClockSource(fakeClock); }
    void TearDown() override { platform::setClockSource(nullptr); }

    float tickAt(uint32_t milliseconds)
    {
        fakeMilliseconds = milliseconds;
        timer.tick();
        return timer.frameInterval;
    }

    FrameTimer timer;
};
} // namespace

TEST_F(FrameTimerTest, FirstTickMeasuresFromTheClocksEpochThenFromTickToTick)
{
    EXPECT_FLOAT_EQ(tickAt(3000), 3.0f);
    EXPECT_FLOAT_EQ(timer.previousTime, 3.0f);
    EXPECT_NEAR(tickAt(3016), 0.016f, 1e-6f);
    EXPECT_EQ(tickAt(3016), 0.0f) << "two ticks in one millisecond";
    // A long stretch without ticks (demo mode) comes out whole, uncapped.
    EXPECT_NEAR(tickAt(63016), 60.0f, 1e-5f);
}

TEST_F(FrameTimerTest, ClockWrapGivesTheTimeThatReallyPassed)
{
    tickAt(4'294'966'296u); // 1,000 ms before the 32-bit counter wraps
    EXPECT_FLOAT_EQ(tickAt(500), 1.5f) << "not minus 49.7 days";
    EXPECT_NEAR(tickAt(516), 0.016f, 1e-6f) << "and ordinary ticks again afterwards";
}
