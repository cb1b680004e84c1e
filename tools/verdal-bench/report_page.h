#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "frame_log.h"
#include "frame_statistics.h"

// What one run measured, for its report page.
struct ReportInput {
    std::vector<std::pair<std::string, std::string>> figures;  // key, value as printed
    std::vector<FrameRecord> frames;
    FrameStatistics statistics;
    std::map<std::string, double> passMilliseconds;  // empty without pass timers
    std::vector<std::string> screenshots;             // PNG files, embedded in the page
};

// The page as one self-contained HTML document: figures, frame-time graph,
// pass chart and screenshots inline, nothing fetched from elsewhere.
std::string reportPageHtml(const ReportInput& input);

// Writes the page as DIR/index.html (making DIR if needed); its path goes to
// pagePath. False with a reason in `error` if it cannot be written.
bool writeReportPage(const std::string& directory, const ReportInput& input, std::string& pagePath,
                     std::string& error);
