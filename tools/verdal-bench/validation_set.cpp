#include "validation_set.h"

#include <cstdio>

const char* const validationFolder = "Validation";

namespace {

// The overlay's lines are drawn in whatever the system offers for its font
// (another monospace face where Courier New's twin is missing): that is no
// property of the driver, so validated frames leave the text out. The
// crosshair, drawn by GL from a texture, stays.
BenchOptions validationOptions()
{
    BenchOptions options;
    options.overlayText = false;
    return options;
}

// A tour from its start: frames at a 5 s step, so each frame shows the start
// of a later segment (one segment passes per frame at most).
ValidationRun tourRun(int path, const std::vector<int>& frames)
{
    ValidationRun run{validationOptions(), {}};
    run.options.tourPath = path;
    run.options.stepMilliseconds = 5000;
    run.options.frames = frames.back();
    for (int frame : frames)
        run.shots.push_back({"tour-" + std::to_string(path) + "-frame-" + std::to_string(frame), frame});
    return run;
}

// Free fly held at one pose; the second frame, after the first one's shadow map.
ValidationRun viewRun(const std::string& name, FixedView view)
{
    ValidationRun run{validationOptions(), {}};
    run.options.view = view;
    run.options.flyMode = true;
    run.options.stepMilliseconds = 40;
    run.options.frames = 2;
    run.shots.push_back({name, 2});
    return run;
}

} // namespace

const std::vector<ValidationRun>& validationRuns()
{
    static const std::vector<ValidationRun> runs = {
        tourRun(0, {1, 3, 4}),
        tourRun(1, {2, 3, 4}),
        tourRun(2, {2, 3, 4}),
        // 1.5 m up east of the water: the lake small, on the left and the right
        viewRun("view-lake-left", {{4.5f, 1.5f, 2.0f}, {0.2f, 0.0f, -0.5f}}),
        viewRun("view-lake-right", {{4.5f, 1.5f, 2.0f}, {0.2f, 0.0f, 4.0f}}),
        // low over the water towards the trees: reflection and refraction fill the frame
        viewRun("view-over-water", {{1.0f, 0.4f, 2.0f}, {-3.0f, 0.2f, 1.5f}}),
    };
    return runs;
}

const FrameTolerance& validationTolerance()
{
    static const FrameTolerance tolerance{0.08, 40, 0.10, 0.75};
    return tolerance;
}

std::string describeTolerance(const FrameTolerance& tolerance)
{
    char text[200];
    std::snprintf(text, sizeof text,
                  "in every %dx%d region: ssim >= %.2f, changed pixels <= %.0f %% (past %.0f %% colour distance)",
                  tolerance.regionSize, tolerance.regionSize, tolerance.minimumRegionSimilarity,
                  tolerance.maximumRegionChanged * 100, tolerance.changedDistance * 100);
    return text;
}
