#pragma once

#include <string>
#include <vector>

#include "run_comparison.h"

// The page of a comparison: the runs' frame-time graphs overlaid, then each
// figure and each pass side by side with its change against the first run,
// marked where the change is within the runs' own spread.
std::string comparePageHtml(const std::vector<RunFile>& runs, const std::vector<FigureComparison>& figures);
