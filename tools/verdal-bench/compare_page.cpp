#include "compare_page.h"

#include <cmath>
#include <cstdio>

#include "html_text.h"
#include "svg_charts.h"

namespace {

std::string number(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string runLetter(size_t i) { return std::string(1, static_cast<char>('A' + std::min<size_t>(i, 25))); }

// A change cell: the percentage, green when better and red when worse, grey
// and marked when the runs' own spread covers it.
std::string changeCell(const FigureComparison& figure, size_t run)
{
    if (figure.values[run] < 0 || figure.values[0] <= 0)
        return "<td></td>";
    const double change = figure.changePercent[run];
    const double spread = std::max(figure.spreadPercent[0], figure.spreadPercent[run]);
    std::string cls = "noise", note;
    if (spread < 0) {
        note = "no spread known";
    } else if (figure.withinSpread[run]) {
        note = "within spread " + number("%.1f", spread) + " %";
    } else {
        cls = (change > 0) == figure.higherIsBetter ? "better" : "worse";
        note = "beyond spread " + number("%.1f", spread) + " %";
    }
    return "<td class=\"" + cls + "\">" + number("%+.1f %%", change) + "<br><small>" + note + "</small></td>";
}

} // namespace

std::string comparePageHtml(const std::vector<RunFile>& runs, const std::vector<FigureComparison>& figures)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>verdal-bench comparison</title>\n<style>\n"
                       "body { font-family: sans-serif; margin: 24px auto; max-width: 1100px; color: #212529; }\n"
                       "h1 { font-size: 22px; } h2 { font-size: 17px; margin-top: 28px; }\n"
                       "table { border-collapse: collapse; font-size: 13px; }\n"
                       "th, td { padding: 3px 14px 3px 0; border-bottom: 1px solid #e9ecef; text-align: left; }\n"
                       "td.value { font-family: monospace; } .better { color: #2b8a3e; } .worse { color: #c92a2a; }\n"
                       ".noise { color: #868e96; } small { font-size: 11px; }\n</style>\n</head>\n<body>\n"
                       "<h1>verdal-bench comparison</h1>\n<p>";
    html += escapeHtml(figureOf(runs[0], "size") + ", " + figureOf(runs[0], "mode") + " mode, tour "
                       + figureOf(runs[0], "path") + ", " + figureOf(runs[0], "frames") + " frames at "
                       + figureOf(runs[0], "step_ms") + " ms a step.");
    html += " Changes are against run A. A change no larger than the spread of run A or of the run itself (how"
            " far the figure moves between four interleaved quarters of that run's frames) is noise, not a gain"
            " or a loss.</p>\n<table>\n<tr><th>run</th><th>results</th><th>result</th><th>start-up ms</th></tr>\n";
    for (size_t i = 0; i < runs.size(); ++i)
        html += "<tr><td>" + runLetter(i) + "</td><td>" + escapeHtml(runs[i].path) + "</td><td>"
            + escapeHtml(figureOf(runs[i], "result")) + "</td><td class=\"value\">"
            + escapeHtml(figureOf(runs[i], "startup_ms")) + "</td></tr>\n";
    html += "</table>\n<h2>Frame time</h2>\n";
    std::vector<std::vector<FrameRecord>> frames;
    for (const RunFile& run : runs)
        frames.push_back(run.frames);
    html += frameTimeOverlaySvg(frames);
    html += "<h2>Figures and passes</h2>\n<table>\n<tr><th>figure</th>";
    for (size_t i = 0; i < runs.size(); ++i)
        html += "<th>" + runLetter(i) + "</th>" + (i > 0 ? "<th>change</th>" : "") + "<th>spread</th>";
    html += "</tr>\n";
    for (const FigureComparison& figure : figures) {
        html += "<tr><td>" + escapeHtml(figure.name) + "</td>";
        for (size_t i = 0; i < runs.size(); ++i) {
            html += "<td class=\"value\">" + (figure.values[i] < 0 ? "n/a" : number("%.2f", figure.values[i])) + "</td>";
            if (i > 0)
                html += changeCell(figure, i);
            html += "<td class=\"noise\">"
                + (figure.spreadPercent[i] < 0 ? std::string("") : number("%.1f %%", figure.spreadPercent[i]))
                + "</td>";
        }
        html += "</tr>\n";
    }
    html += "</table>\n</body>\n</html>\n";
    return html;
}
