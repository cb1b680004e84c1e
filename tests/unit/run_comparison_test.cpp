// compare's reading of two runs: a change that the runs' own frames also show
// is noise; one past it is a gain or a loss, in the right direction.
#include <gtest/gtest.h>

#include <string>

#include "run_comparison.h"

namespace {

// 40 frames of about `ms` with every third frame 30 % slower: a run with a
// spread of its own. The scene pass takes half the frame, the same every frame.
RunFile run(const char* path, double ms)
{
    RunFile r{path, {{"size", "320x240"}, {"frames", "40"}}, {}};
    for (int i = 1; i <= 40; ++i)
        r.frames.push_back({i, ms * (i % 3 ? 1.0 : 1.3), {{"scene", ms / 2}}});
    return r;
}

const FigureComparison& find(const std::vector<FigureComparison>& figures, const std::string& name)
{
    for (const FigureComparison& figure : figures)
        if (figure.name == name)
            return figure;
    ADD_FAILURE() << "no figure " << name;
    return figures.front();
}

} // namespace

TEST(RunComparison, ChangesWithinTheRunsOwnSpreadAreNoise)
{
    struct Case {
        double ms;          // run B's frame time, run A's being 100
        bool fpsWithin;     // the frame rate's change within the spread
        bool sceneWithin;   // the scene pass's, which has no spread
    };
    for (const Case c : {Case{100.0, true, true}, {101.0, true, false}, {80.0, false, false}, {125.0, false, false}}) {
        const std::vector<FigureComparison> figures = compareRuns({run("a.json", 100), run("b.json", c.ms)});
        const FigureComparison& fps = find(figures, "fps_average");
        EXPECT_GT(fps.spreadPercent[0], 1.0);
        EXPECT_EQ(fps.withinSpread[1], c.fpsWithin) << c.ms << " ms: " << describeComparison(fps);
        EXPECT_NEAR(fps.changePercent[1], (100 / c.ms - 1) * 100, 1e-6);
        const FigureComparison& scene = find(figures, "pass_ms_scene");
        EXPECT_EQ(scene.withinSpread[1], c.sceneWithin) << c.ms << " ms: " << describeComparison(scene);
        EXPECT_NEAR(scene.changePercent[1], (c.ms / 100 - 1) * 100, 1e-6);
    }
}
