#include "svg_charts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

const char* const frameLineColour = "#1c7ed6";

namespace {

std::string format(const char* pattern, double a, double b = 0, double c = 0, double d = 0)
{
    char text[256];
    std::snprintf(text, sizeof text, pattern, a, b, c, d);
    return text;
}

// A round step (1, 2 or 5 times a power of ten) that cuts `range` into about
// `parts` pieces, for axis ticks.
double niceStep(double range, int parts)
{
    const double raw = std::max(range / parts, 1e-9);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power)
            return m * power;
    return 10.0 * power;
}

} // namespace

namespace {

// The plot area, axes and grid shared by the frame-time graphs; x and y map a
// frame number and a time in milliseconds to the picture.
struct FrameAxes {
    static constexpr double width = 760, height = 320;
    static constexpr double left = 58, right = 110, top = 16, bottom = 40;
    double plotWidth = width - left - right;
    double plotHeight = height - top - bottom;
    int firstFrame = 1;
    double xSpan = 1;
    double yMax = 1;
    double x(double frame) const { return left + (frame - firstFrame) / xSpan * plotWidth; }
    double y(double ms) const { return top + plotHeight - ms / yMax * plotHeight; }
};

// Opens the SVG and draws the axes for frames firstFrame..lastFrame and
// times up to at least `slowest`.
std::string frameAxesSvg(FrameAxes& axes, int firstFrame, int lastFrame, double slowest, const char* label)
{
    const double width = FrameAxes::width, height = FrameAxes::height, left = FrameAxes::left, top = FrameAxes::top;
    const double yStep = niceStep(slowest, 5);
    axes.yMax = std::max(yStep, std::ceil(slowest * 1.05 / yStep) * yStep);
    axes.firstFrame = firstFrame;
    axes.xSpan = std::max(1, lastFrame - firstFrame);
    std::string svg = format("<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"frame-graph\" width=\"%.0f\" "
                             "height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\" role=\"img\" ",
                             width, height, width, height);
    svg += std::string("aria-label=\"") + label + "\">\n";
    svg += format("<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#ffffff\" stroke=\"#868e96\"/>\n",
                  left, top, axes.plotWidth, axes.plotHeight);
    for (double v = 0; v <= axes.yMax + yStep * 0.01; v += yStep) {
        svg += format("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#e9ecef\"/>", left, axes.y(v),
                      left + axes.plotWidth, axes.y(v));
        svg += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\" font-size=\"11\">%g</text>\n", left - 6,
                      axes.y(v) + 4, v);
    }
    const double xStep = std::max(1.0, niceStep(axes.xSpan, 6));
    for (double f = std::ceil(firstFrame / xStep) * xStep; f <= lastFrame; f += xStep)
        svg += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\" font-size=\"11\">%g</text>\n", axes.x(f),
                      top + axes.plotHeight + 15, f);
    svg += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\" font-size=\"12\">frame</text>\n",
                  left + axes.plotWidth / 2, height - 6);
    svg += format("<text x=\"14\" y=\"%.1f\" text-anchor=\"middle\" font-size=\"12\" "
                  "transform=\"rotate(-90 14 %.1f)\">ms</text>\n",
                  top + axes.plotHeight / 2, top + axes.plotHeight / 2);
    return svg;
}

std::string framePolyline(const FrameAxes& axes, const std::vector<FrameRecord>& frames, const char* colour)
{
    std::string svg = std::string("<polyline class=\"frames\" fill=\"none\" stroke=\"") + colour
        + "\" stroke-width=\"2\" points=\"";
    for (const FrameRecord& f : frames)
        svg += format("%.1f,%.1f ", axes.x(f.frame), axes.y(f.milliseconds));
    if (frames.size() == 1)  // a single frame still shows as a short level line
        svg += format("%.1f,%.1f", axes.x(frames[0].frame) + 6, axes.y(frames[0].milliseconds));
    return svg + "\"/>\n";
}

} // namespace

std::string frameTimeGraphSvg(const std::vector<FrameRecord>& frames, double p50, double p95, double p99)
{
    double slowest = p99;
    for (const FrameRecord& f : frames)
        slowest = std::max(slowest, f.milliseconds);
    FrameAxes axes;
    std::string svg = frameAxesSvg(axes, frames.empty() ? 1 : frames.front().frame,
                                   frames.empty() ? 1 : frames.back().frame, slowest,
                                   "frame time in milliseconds per frame");
    svg += framePolyline(axes, frames, frameLineColour);
    const double left = FrameAxes::left, plotWidth = axes.plotWidth;
    auto y = [&](double ms) { return axes.y(ms); };

    struct Line {
        const char* name;
        double ms;
        const char* colour;
    };
    for (const Line& line : {Line{"p50", p50, "#2b8a3e"}, Line{"p95", p95, "#e67700"}, Line{"p99", p99, "#c92a2a"}}) {
        svg += format("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke-dasharray=\"6 4\" "
                      "stroke-width=\"1.5\" ",
                      left, y(line.ms), left + plotWidth, y(line.ms));
        svg += std::string("stroke=\"") + line.colour + "\"/>";
        svg += format("<text x=\"%.1f\" y=\"%.1f\" font-size=\"11\" ", left + plotWidth + 6, y(line.ms) + 4);
        svg += std::string("fill=\"") + line.colour + "\">" + line.name + format(" %.1f ms</text>\n", line.ms);
    }
    svg += "</svg>\n";
    return svg;
}

std::string passBarChartSvg(const std::map<std::string, double>& passMilliseconds)
{
    constexpr double width = 760, rowHeight = 28, left = 110, right = 90, top = 8;
    const double plotWidth = width - left - right;
    double longest = 0;
    for (const auto& [pass, ms] : passMilliseconds)
        longest = std::max(longest, ms);
    const double height = top * 2 + rowHeight * static_cast<double>(passMilliseconds.size());
    std::string svg = format("<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"pass-chart\" width=\"%.0f\" "
                             "height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\" role=\"img\" "
                             "aria-label=\"GPU milliseconds per render pass\">\n",
                             width, height, width, height);
    double rowTop = top;
    for (const auto& [pass, ms] : passMilliseconds) {
        const double middle = rowTop + rowHeight / 2;
        svg += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\" font-size=\"12\">", left - 8, middle + 4)
            + pass + "</text>";
        if (ms >= 0) {
            const double barWidth = longest > 0 ? std::max(1.0, ms / longest * plotWidth) : 1.0;
            svg += format("<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#5c7cfa\"/>", left,
                          rowTop + 5, barWidth, rowHeight - 10);
            svg += format("<text x=\"%.1f\" y=\"%.1f\" font-size=\"12\">%.2f ms</text>\n", left + barWidth + 6,
                          middle + 4, ms);
        } else {
            svg += format("<text x=\"%.1f\" y=\"%.1f\" font-size=\"12\" fill=\"#868e96\">n/a</text>\n", left,
                          middle + 4);
        }
        rowTop += rowHeight;
    }
    svg += "</svg>\n";
    return svg;
}

const char* const comparedRunColours[] = {"#1c7ed6", "#e8590c", "#2f9e44", "#ae3ec9", "#495057"};

std::string frameTimeOverlaySvg(const std::vector<std::vector<FrameRecord>>& runs)
{
    int firstFrame = 0, lastFrame = 1;
    double slowest = 1;
    for (const auto& frames : runs)
        for (const FrameRecord& f : frames) {
            firstFrame = firstFrame == 0 ? f.frame : std::min(firstFrame, f.frame);
            lastFrame = std::max(lastFrame, f.frame);
            slowest = std::max(slowest, f.milliseconds);
        }
    FrameAxes axes;
    std::string svg = frameAxesSvg(axes, std::max(1, firstFrame), lastFrame, slowest,
                                   "frame time in milliseconds per frame, one line per run");
    for (size_t i = 0; i < runs.size(); ++i) {
        const char* colour = comparedRunColours[std::min(i, std::size(comparedRunColours) - 1)];
        svg += framePolyline(axes, runs[i], colour);
        svg += format("<rect x=\"%.1f\" y=\"%.1f\" width=\"14\" height=\"4\" ", FrameAxes::left + axes.plotWidth + 8,
                      FrameAxes::top + 10 + 18.0 * static_cast<double>(i));
        svg += std::string("fill=\"") + colour + "\"/>";
        svg += format("<text x=\"%.1f\" y=\"%.1f\" font-size=\"11\">", FrameAxes::left + axes.plotWidth + 26,
                      FrameAxes::top + 16 + 18.0 * static_cast<double>(i));
        svg += std::string(1, static_cast<char>('A' + std::min<size_t>(i, 25))) + "</text>\n";
    }
    return svg + "</svg>\n";
}
