#include <gtest/gtest.h>

#include "camera/frame_timer.h"
#include "platform/platform.h"

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
