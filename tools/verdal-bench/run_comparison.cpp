#include "run_comparison.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <set>

#include "frame_statistics.h"

namespace {

using FrameFigure = std::function<double(const std::vector<FrameRecord>&)>;

double frameStatistic(const std::vector<FrameRecord>& frames, double FrameStatistics::*field)
{
    std::vector<double> times;
    for (const FrameRecord& f : frames)
        times.push_back(f.milliseconds);
    return summarizeFrameTimes(times).*field;
}

// A pass's average over the frames that timed it; negative when none did.
double passAverage(const std::vector<FrameRecord>& frames, const std::string& pass)
{
    double sum = 0;
    int count = 0;
    for (const FrameRecord& f : frames) {
        const auto found = f.passMilliseconds.find(pass);
        if (found != f.passMilliseconds.end() && found->second >= 0) {
            sum += found->second;
            ++count;
        }
    }
    return count ? sum / count : -1;
}

double spreadOf(const std::vector<FrameRecord>& frames, const FrameFigure& figure)
{
    constexpr size_t quarters = 4;
    const double whole = figure(frames);
    if (frames.size() < 2 * quarters || whole <= 0)
        return -1;
    double lowest = whole, highest = whole;
    for (size_t offset = 0; offset < quarters; ++offset) {
        std::vector<FrameRecord> quarter;
        for (size_t i = offset; i < frames.size(); i += quarters)
            quarter.push_back(frames[i]);
        const double value = figure(quarter);
        if (value < 0)
            return -1;
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    return (highest - lowest) / whole * 100;
}

} // namespace

bool comparableRuns(const std::vector<RunFile>& runs, std::string& error)
{
    static const char* const sameKeys[] = {"size", "mode", "path", "view", "step_ms", "warmup_frames", "frames"};
    for (size_t i = 1; i < runs.size(); ++i)
        for (const char* key : sameKeys)
            if (figureOf(runs[i], key) != figureOf(runs[0], key)) {
                const auto shown = [&](const RunFile& run) {
                    const std::string value = figureOf(run, key);
                    return value.empty() ? std::string("none") : value;
                };
                error = runs[i].path + " rendered other frames than " + runs[0].path + ": " + key + " "
                    + shown(runs[i]) + " against " + shown(runs[0])
                    + "; compare runs of the same size, tour or view, step and frame count";
                return false;
            }
    return true;
}

std::vector<FigureComparison> compareRuns(const std::vector<RunFile>& runs)
{
    struct Figure {
        std::string name;
        bool higherIsBetter;
        FrameFigure compute;
    };
    std::vector<Figure> figures = {
        {"fps_average", true, [](const auto& f) { return frameStatistic(f, &FrameStatistics::averageFps); }},
        {"frame_ms_p50", false, [](const auto& f) { return frameStatistic(f, &FrameStatistics::p50); }},
        {"frame_ms_p95", false, [](const auto& f) { return frameStatistic(f, &FrameStatistics::p95); }},
        {"frame_ms_p99", false, [](const auto& f) { return frameStatistic(f, &FrameStatistics::p99); }},
    };
    std::set<std::string> passes;
    for (const RunFile& run : runs)
        for (const std::string& pass : timedPasses(run.frames))
            passes.insert(pass);
    for (const std::string& pass : passes)
        figures.push_back({"pass_ms_" + pass, false, [pass](const auto& f) { return passAverage(f, pass); }});

    std::vector<FigureComparison> comparisons;
    for (const Figure& figure : figures) {
        FigureComparison c{figure.name, figure.higherIsBetter, {}, {}, {}, {}};
        for (const RunFile& run : runs) {
            c.values.push_back(run.frames.empty() ? -1 : figure.compute(run.frames));
            c.spreadPercent.push_back(spreadOf(run.frames, figure.compute));
        }
        for (size_t i = 0; i < runs.size(); ++i) {
            const bool known = c.values[0] > 0 && c.values[i] >= 0;
            c.changePercent.push_back(known ? (c.values[i] / c.values[0] - 1) * 100 : 0);
            const double spread = std::max(c.spreadPercent[0], c.spreadPercent[i]);
            c.withinSpread.push_back(i == 0 || !known || spread < 0 || std::fabs(c.changePercent[i]) <= spread);
        }
        comparisons.push_back(c);
    }
    return comparisons;
}

std::string describeComparison(const FigureComparison& figure)
{
    std::string line;
    char text[128];
    for (size_t i = 0; i < figure.values.size(); ++i) {
        if (i > 0)
            line += " | ";
        if (figure.values[i] < 0) {
            line += "n/a";
            continue;
        }
        std::snprintf(text, sizeof text, "%.2f", figure.values[i]);
        line += text;
        if (i == 0 || figure.values[0] <= 0)
            continue;
        const double spread = std::max(figure.spreadPercent[0], figure.spreadPercent[i]);
        if (spread < 0)
            std::snprintf(text, sizeof text, " (%+.1f %%, no spread known)", figure.changePercent[i]);
        else
            std::snprintf(text, sizeof text, " (%+.1f %%, %s spread %.1f %%)", figure.changePercent[i],
                          figure.withinSpread[i] ? "within" : "beyond", spread);
        line += text;
    }
    return line;
}
