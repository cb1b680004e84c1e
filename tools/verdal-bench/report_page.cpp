#include "report_page.h"

#include <filesystem>

#include "html_text.h"
#include "svg_charts.h"

namespace {

std::string figureValue(const ReportInput& input, const std::string& key)
{
    for (const auto& [k, v] : input.figures)
        if (k == key)
            return v;
    return "";
}

const char* const pageStyle = R"(
body { font-family: sans-serif; margin: 24px auto; max-width: 1100px; color: #212529; }
h1 { font-size: 22px; } h2 { font-size: 17px; margin-top: 28px; }
table { border-collapse: collapse; font-size: 13px; }
td { padding: 2px 14px 2px 0; border-bottom: 1px solid #e9ecef; }
td.value { font-family: monospace; }
figure { display: inline-block; margin: 0 16px 16px 0; }
figure img { max-width: 520px; border: 1px solid #adb5bd; }
figcaption { font-size: 12px; color: #495057; }
)";

} // namespace

std::string reportPageHtml(const ReportInput& input)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>verdal-bench report</title>\n<style>";
    html += pageStyle;
    html += "</style>\n</head>\n<body>\n<h1>verdal-bench report</h1>\n<p>";
    html += escapeHtml(figureValue(input, "size") + ", " + figureValue(input, "mode") + " mode, tour "
                       + figureValue(input, "path") + ", " + figureValue(input, "frames") + " frames at "
                       + figureValue(input, "step_ms") + " ms a step; result: " + figureValue(input, "result"));
    html += "</p>\n<h2>Frame time</h2>\n";
    html += frameTimeGraphSvg(input.frames, input.statistics.p50, input.statistics.p95, input.statistics.p99);
    if (!input.passMilliseconds.empty()) {
        html += "<h2>GPU time per pass (average ms)</h2>\n";
        html += passBarChartSvg(input.passMilliseconds);
    }
    html += "<h2>Figures</h2>\n<table>\n";
    for (const auto& [key, value] : input.figures)
        html += "<tr><td>" + escapeHtml(key) + "</td><td class=\"value\">" + escapeHtml(value) + "</td></tr>\n";
    html += "</table>\n";
    if (!input.screenshots.empty()) {
        html += "<h2>Screenshots</h2>\n";
        for (const std::string& path : input.screenshots) {
            const std::string name = std::filesystem::path(path).filename().string();
            html += "<figure>" + inlinePngImage(path, name) + "<figcaption>" + escapeHtml(name)
                + "</figcaption></figure>\n";
        }
    }
    html += "</body>\n</html>\n";
    return html;
}

bool writeReportPage(const std::string& directory, const ReportInput& input, std::string& pagePath,
                     std::string& error)
{
    return writeHtmlPage(directory, reportPageHtml(input), pagePath, error);
}
