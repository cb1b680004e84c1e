#pragma once

#include <cstdint>
#include <map>
#include <string>

// GL debug output (KHR_debug) into the log, counting the errors it reports.
// False when the driver offers no debug output.
bool enableGlDebugOutput();
uint64_t glDebugErrorCount();

// GL names alive of every kind the demo makes (textures, buffers, display
// lists, framebuffers, renderbuffers, programs and shaders), probed over a
// generous range: what a teardown should bring back to where it started.
int liveGlObjectCount();

// GPU time per render pass, from timer queries around each pass. Only
// installed when asked for, so a normal frame makes no extra queries.
bool enablePassTimers();
// Collects the frame's query results (waits for them); call after each frame.
void collectPassTimes();
void releasePassTimers();
// Average milliseconds per pass over the frames that ran it; -1 for a pass
// the driver gave no believable time for.
const std::map<std::string, double>& passMilliseconds();
// The passes of the frame collected last, in milliseconds (-1 where the
// driver gave no believable time).
const std::map<std::string, double>& lastFramePassMilliseconds();
