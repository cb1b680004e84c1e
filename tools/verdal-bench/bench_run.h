#pragma once

#include <string>
#include <utility>
#include <vector>

#include "bench_options.h"
#include "frame_log.h"
#include "platform/headless_context.h"

// One headless run of the demo: the context, start-up, frames at a fixed
// step with their screenshots, teardown, and the figures printed at the end.

// What the frame loop hands to the report.
struct RunResults {
    double startupMs = 0.0;
    std::vector<double> frameTimes;
    std::vector<FrameRecord> frames;  // the same times with each pass's, for the log and the page
    std::vector<std::string> screenshots;
    std::vector<std::pair<std::string, std::string>> memory;  // key, value, in the order measured
    bool ok = true;
};

// Enters the data directory, installs the fake clock and message boxes and
// opens the headless context. Null (after saying why) if the run cannot go on.
platform::HeadlessContext* setUpRun(const BenchOptions& options, RunResults& results);

// Start-up, the frames with their screenshots, and teardown.
void runFrames(const BenchOptions& options, platform::HeadlessContext* context, RunResults& results);

// As a fresh process starts: the clocks and the tours from the top.
void restartDemoClocks();

// Prints the figures (and writes them as JSON if asked); false if anything failed.
bool reportResults(const BenchOptions& options, RunResults& results);

// The process's resident memory in KiB, as text for the figures.
std::string residentKilobytes();
