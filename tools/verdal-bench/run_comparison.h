#pragma once

#include <string>
#include <vector>

#include "run_file.h"

// One figure of every run, each against the first run's.
struct FigureComparison {
    std::string name;            // "fps_average", "frame_ms_p95", "pass_ms_scene", ...
    bool higherIsBetter = false; // frame rates; times are better lower
    std::vector<double> values;  // per run; negative where a run lacks it
    // Per run: how far the figure moves between four interleaved quarters of
    // the run's own frames (every fourth frame, from the first, second, third
    // and fourth), as a percentage of the figure: the run's noise. Negative
    // when the run has fewer than 8 frames to tell it from.
    std::vector<double> spreadPercent;
    std::vector<double> changePercent;  // against the first run; 0 for the first
    // Per run: true when the change is no larger than the spread of this run
    // or the first one, so that it must not be read as a gain or a loss.
    std::vector<bool> withinSpread;
};

// Runs can be compared when they rendered the same: the same size, mode,
// tour or view, step and number of frames. False with a message naming the
// run and what differs.
bool comparableRuns(const std::vector<RunFile>& runs, std::string& error);

std::vector<FigureComparison> compareRuns(const std::vector<RunFile>& runs);

// "9.07 | 9.50 (+4.7 %, within spread 6.1 %)": a figure's printed line.
std::string describeComparison(const FigureComparison& figure);
