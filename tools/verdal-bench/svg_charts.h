#pragma once

#include <map>
#include <string>
#include <vector>

#include "frame_log.h"

// Inline SVG pictures for the report page; plain text, no script, no fonts
// beyond the page's own.

// Frame number against frame time in milliseconds, with dashed horizontal
// lines at the given 50th, 95th and 99th percentiles, each labelled.
std::string frameTimeGraphSvg(const std::vector<FrameRecord>& frames, double p50, double p95, double p99);

// Several runs' frame times on one set of axes, one line each, labelled A,
// B, C ... in the order given, in comparedRunColours (the first line in
// frameLineColour).
std::string frameTimeOverlaySvg(const std::vector<std::vector<FrameRecord>>& runs);
extern const char* const comparedRunColours[5];

// One horizontal bar per pass with its average GPU milliseconds; passes the
// driver could not time (negative) are listed as "n/a" without a bar.
std::string passBarChartSvg(const std::map<std::string, double>& passMilliseconds);

// The colour of the frame-time line, which tests look for in a screenshot.
extern const char* const frameLineColour;
