#pragma once

#include <map>
#include <string>
#include <vector>

// One row per rendered frame: its wall time and, when pass timers ran, the
// GPU time of each render pass (negative where the driver gave none).
struct FrameRecord {
    int frame = 0;
    double milliseconds = 0;
    std::map<std::string, double> passMilliseconds;
};

// Every pass name that any frame timed, in name order.
std::vector<std::string> timedPasses(const std::vector<FrameRecord>& frames);

// The frames as CSV: a header "frame,ms" followed by "<pass>_ms" for each
// timed pass, then one row per frame; a pass a frame did not run (the shadow
// pass after the first frame) or could not time is left empty.
std::string frameLogCsv(const std::vector<FrameRecord>& frames);
bool writeFrameLog(const std::string& path, const std::vector<FrameRecord>& frames);
