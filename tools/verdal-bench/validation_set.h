#pragma once

#include <string>
#include <vector>

#include "bench_options.h"
#include "image_compare.h"

// The frames --validate renders and compares with the references shipped
// with the data, always the same ones: the size, the tours' moments and the
// free-fly views below. Each run starts from a fresh start-up.
constexpr int validationWidth = 240;
constexpr int validationHeight = 180;

struct ValidationShot {
    std::string name;  // also the reference's file name, without ".png"
    int frame = 0;     // 1-based, within its run
};

struct ValidationRun {
    BenchOptions options;  // path or view, frames and step; size and screenshots are set for the run
    std::vector<ValidationShot> shots;
};

const std::vector<ValidationRun>& validationRuns();

// What a frame may differ by and still pass, and why (see image_compare.h).
const FrameTolerance& validationTolerance();
std::string describeTolerance(const FrameTolerance& tolerance);

// Where the references are when --validate names no folder: beside Scene,
// Shader and Textures in the data directory.
extern const char* const validationFolder;
