#pragma once

#include <string>
#include <utility>
#include <vector>

#include "frame_log.h"

// The version of the results file verdal-bench writes: it names its frame
// log, which compare reads. Files without it come from an older verdal-bench.
constexpr int resultsVersion = 2;

// One run as --results and --frame-log left it.
struct RunFile {
    std::string path;                                         // the results file
    std::vector<std::pair<std::string, std::string>> figures; // key, value as written
    std::vector<FrameRecord> frames;                          // from the frame log
};

std::string figureOf(const RunFile& run, const std::string& key);

// Reads a results file and the frame log it names (taken beside the results
// file when its recorded path is gone). False with a reason naming the file:
// missing, not a flat JSON object of numbers and strings, from an older
// version, without a frame log, or a log that is not verdal-bench's.
bool readRunFile(const std::string& path, RunFile& run, std::string& error);

// The flat JSON object the results file holds, in order. False on anything
// else (nesting, arrays, broken strings or numbers, trailing text).
bool parseFlatJson(const std::string& text, std::vector<std::pair<std::string, std::string>>& figures);
// The frame log's rows. False with a reason on a malformed line.
bool parseFrameLog(const std::string& text, std::vector<FrameRecord>& frames, std::string& error);
