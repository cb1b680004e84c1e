#pragma once

#include <cstdint>

// What the frame update keeps from frame to frame. None of it is reset by
// start-up, so it carries over a fullscreen switch.
struct FrameUpdateState {
    uint32_t framesPerSecond = 0;  // frames of the last completed counting window
    float waterTime = 0.0f;        // grows 0.01 per second
    float skyBlend = 0.0f;         // 0 .. 1 and back, 25 seconds each way
    bool skyBlendFalling = false;
    bool recordLatch = false;      // a waypoint was recorded and Q not yet released
    float fpsMilliseconds = 0.0f;
    uint32_t fpsFrameCount = 0;
};

extern FrameUpdateState frameState;
