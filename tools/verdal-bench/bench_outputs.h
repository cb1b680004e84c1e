#pragma once

#include <string>

#include "bench_options.h"
#include "report_page.h"

// Writes what the options ask for besides the printed figures: the frame log
// (--frame-log) and the report page (--report), whose path goes to
// reportPage (empty if none was written). False, with the reason on stderr,
// if either cannot be written.
bool writeRequestedOutputs(const BenchOptions& options, const ReportInput& run, std::string& reportPage);

// Makes the folders a file given on the command line is to be written into.
void makeParentFolder(const std::string& file);
