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

std::string frameTimeGraphSvg(const std::vector<FrameRecord>& frames, double p50, double p95, double p99)
{
    constexpr double width = 760, height = 320;
    constexpr double left = 58, right = 110, top = 16, bottom = 40;
    const double plotWidth = width - left - right;
    const double plotHeight = height - top - bottom;

    double slowest = p99;
    for (const FrameRecord& f : frames)
        slowest = std::max(slowest, f.milliseconds);
    const double yStep = niceStep(slowest, 5);
    const double yMax = std::max(yStep, std::ceil(slowest * 1.05 / yStep) * yStep);
    const int firstFrame = frames.empty() ? 1 : frames.front().frame;
    const int lastFrame = frames.empty() ? 1 : frames.back().frame;
    const double xSpan = std::max(1, lastFrame - firstFrame);
    auto x = [&](double frame) { return left + (frame - firstFrame) / xSpan * plotWidth; };
    auto y = [&](double ms) { return top + plotHeight - ms / yMax * plotHeight; };

    std::string svg = format("<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"frame-graph\" width=\"%.0f\" "
                             "height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\" role=\"img\" "
                             "aria-label=\"frame time in milliseconds per frame\">\n",
                             width, height, width, height);
    svg += format("<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#ffffff\" stroke=\"#868e96\"/>\n",
                  left, top, plotWidth, plotHeight);
    for (double v = 0; v <= yMax + yStep * 0.01; v += yStep) {
        svg += format("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#e9ecef\"/>", left, y(v),
                      left + plotWidth, y(v));
        svg += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\" font-size=\"11\">%g</text>\n", left - 6,
                      y(v) + 4, v);
    }
    const double xStep = std::max(1.0, niceStep(xSpan, 6));
    for (double f = std::ceil(firstFrame / xStep) * xStep; f <= lastFrame; f += xStep)
        svg += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\" font-size=\"11\">%g</text>\n", x(f),
                      top + plotHeight + 15, f);
    svg += format("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\" font-size=\"12\">frame</text>\n",
                  left + plotWidth / 2, height - 6);
    svg += format("<text x=\"14\" y=\"%.1f\" text-anchor=\"middle\" font-size=\"12\" "
                  "transform=\"rotate(-90 14 %.1f)\">ms</text>\n",
                  top + plotHeight / 2, top + plotHeight / 2);

    svg += std::string("<polyline class=\"frames\" fill=\"none\" stroke=\"") + frameLineColour
        + "\" stroke-width=\"2\" points=\"";
    for (const FrameRecord& f : frames)
        svg += format("%.1f,%.1f ", x(f.frame), y(f.milliseconds));
    if (frames.size() == 1)  // a single frame still shows as a short level line
        svg += format("%.1f,%.1f", x(frames[0].frame) + 6, y(frames[0].milliseconds));
    svg += "\"/>\n";

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
