#pragma once

#include <vector>

// Frame-time figures of a run, in milliseconds and frames per second.
struct FrameStatistics {
    double averageFps = 0;
    double p50 = 0, p95 = 0, p99 = 0;  // frame time percentiles
    double onePercentLowFps = 0;       // frame rate over the slowest 1% of frames
};

FrameStatistics summarizeFrameTimes(std::vector<double> frameMilliseconds);
