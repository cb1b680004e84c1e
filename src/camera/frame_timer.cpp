#include "camera/frame_timer.h"

#include "platform/platform.h"

FrameTimer frameTimer;

void FrameTimer::tick()
{
    const uint32_t count = platform::timeGetTime();
    // The reading is rounded to previousTime's precision before subtracting:
    // two ticks in one millisecond then give exactly 0, and a later reading
    // never gives a negative interval, however coarse the float has become.
    const float now = static_cast<float>(static_cast<double>(count) * 0.001);
    if (count < previousCount) {
        // The clock wrapped since the last tick. Subtracting the readings
        // would give about minus 49.7 days and fling the camera backwards;
        // the unsigned difference is the time that really passed.
        frameInterval = static_cast<float>(static_cast<uint32_t>(count - previousCount) * 0.001);
    } else {
        frameInterval = now - previousTime;
    }
    previousTime = now;
    previousCount = count;
}
