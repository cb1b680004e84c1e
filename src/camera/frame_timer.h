#pragma once

#include <cstdint>

// Seconds between two consecutive updates of the free-fly camera, measured on
// the platform's millisecond clock, so that flying speed does not depend on
// the frame rate. Nothing else reads it: the tour and the animation clocks run
// on the main loop's millisecond delta.
struct FrameTimer {
    float frameInterval = 0.0f; // seconds between the last two ticks
    float previousTime = 0.0f;  // clock reading of the last tick, seconds since the clock's epoch
    // The raw reading of the last tick. The 32-bit millisecond clock wraps
    // about every 49.7 days; comparing raw readings is how a wrap is told
    // apart from ordinary progress.
    uint32_t previousCount = 0;

    // Reads the clock and updates the fields. No smoothing and no cap: the
    // interval is whatever elapsed since the previous tick (the first tick of
    // the program gets the whole clock reading).
    void tick();
};

// The program's one timer. It is never reset, not even by a new start-up.
extern FrameTimer frameTimer;
