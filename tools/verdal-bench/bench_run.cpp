#include "bench_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "app/app_window.h"
#include "app/entry.h"
#include "app/frame_hooks.h"
#include "bench_outputs.h"
#include "camera/mouse_screen.h"
#include "demo/demo_state.h"
#include "demo/frame_update.h"
#include "demo/instrumentation.h"
#include "frame_statistics.h"
#include "gl_probes.h"
#include "gpu/texture_units.h"
#include "platform/platform.h"
#include "png_file.h"
#include "run_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// What the run counts while it goes: the fixed-step clock the free-fly
// camera's timer reads, the message boxes the demo raised, and the start-up
// steps in the order they ran with their durations.
struct BenchCounters {
    uint32_t simulatedMilliseconds = 0;
    int messageBoxes = 0;
    std::vector<std::pair<std::string, double>> startupSteps;
    Clock::time_point stepStart;
};
BenchCounters counters;

uint32_t simulatedClock() { return counters.simulatedMilliseconds; }

platform::MessageBoxResult reportBox(const char* text, const char* caption, platform::MessageBoxStyle)
{
    ++counters.messageBoxes;
    std::fprintf(stderr, "verdal-bench: %s: %s\n", caption, text);
    return platform::MessageBoxResult::No;
}

void onStartupStep(const char* step)
{
    if (!counters.startupSteps.empty())
        counters.startupSteps.back().second = millisecondsSince(counters.stepStart);
    if (step)
        counters.startupSteps.emplace_back(step, 0.0);
    counters.stepStart = Clock::now();
}

// The summary: printed as "key: value" lines and, if asked, as JSON.
std::vector<std::pair<std::string, std::string>> summary;
void report(const std::string& key, const std::string& value) { summary.emplace_back(key, value); }
void report(const std::string& key, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    report(key, std::string(text));
}

// Flat: the version first, so that compare can tell an older file, and the
// frame log it needs last.
bool writeJson(const std::string& path, const std::string& frameLog)
{
    auto figures = summary;
    if (!frameLog.empty())
        figures.emplace_back("frame_log", frameLog);
    std::ofstream out(path);
    out << "{\n  \"results_version\": " << resultsVersion << ",\n";
    for (size_t i = 0; i < figures.size(); ++i) {
        const auto& [key, value] = figures[i];
        const bool numeric = !value.empty()
            && value.find_first_not_of("0123456789.-") == std::string::npos;
        out << "  \"" << key << "\": ";
        if (numeric) {
            out << value;
        } else {
            out << '"';
            for (char c : value)
                out << (c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c));
            out << '"';
        }
        out << (i + 1 < figures.size() ? ",\n" : "\n");
    }
    out << "}\n";
    return static_cast<bool>(out);
}

// Puts the free-fly camera at the asked pose, the direction target - eye.
// Done after every update as well: headless on Linux no mouse or key reaches
// the free-fly update, but the hidden window on Windows reads the real
// cursor, and mouse look would turn the camera away.
void holdView(const FixedView& view)
{
    camera.position = {view.eye[0], view.eye[1], view.eye[2]};
    camera.view = {view.target[0], view.target[1], view.target[2]};
    camera.up = {0.0f, 1.0f, 0.0f};
}

// A test seam for validation: VERDAL_BENCH_LOD_BIAS=B adds B to every texture
// unit's level-of-detail bias (GL_TEXTURE_LOD_BIAS of the unit's filter
// control), as a driver choosing mipmap levels otherwise does. The demo
// itself never reads it.
void applyLodBiasSeam()
{
    const char* text = std::getenv("VERDAL_BENCH_LOD_BIAS");
    if (!text || !*text)
        return;
    const float bias = std::strtof(text, nullptr);
    constexpr GLenum textureFilterControl = 0x8500, textureLodBias = 0x8501;
    GLint units = 0;
    glGetIntegerv(0x8B4D /* GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS */, &units);
    for (GLint unit = 0; unit < units; ++unit) {
        selectTextureUnit(static_cast<GLenum>(GL_TEXTURE0_ARB + unit));
        glTexEnvf(textureFilterControl, textureLodBias, bias);
    }
    selectTextureUnit(GL_TEXTURE0_ARB);
    static bool told = false;
    if (!std::exchange(told, true))
        std::fprintf(stderr, "verdal-bench: texture level-of-detail bias %+.2f on %d units\n", bias, units);
}

} // namespace

std::string residentKilobytes() { return std::to_string(platform::residentBytes() / 1024); }

platform::HeadlessContext* setUpRun(const BenchOptions& options, RunResults& results)
{
    if (!options.dataDir.empty()) {
        std::error_code ec;
        std::filesystem::current_path(options.dataDir, ec);
        if (ec) {
            std::fprintf(stderr, "verdal-bench: cannot enter %s: %s\n", options.dataDir.c_str(),
                         ec.message().c_str());
            return nullptr;
        }
    }
    screenWidth = mouseScreenWidth = options.width;
    screenHeight = mouseScreenHeight = options.height;
    platform::setMessageBoxHandler(reportBox);
    platform::setClockSource(simulatedClock);

    platform::HeadlessContext* context = platform::createHeadlessContext(options.width, options.height);
    if (!context) {
        std::fprintf(stderr, "verdal-bench: no headless OpenGL context\n");
        return nullptr;
    }
    if (options.glDebug && !enableGlDebugOutput()) {
        std::fprintf(stderr, "verdal-bench: the driver offers no debug output\n");
        results.ok = false;
    }
    return context;
}

void runFrames(const BenchOptions& options, platform::HeadlessContext* context, RunResults& results)
{
    KeyState keys{};
    AppWindow window{};
    window.keys = &keys;
    window.width = options.width;
    window.height = options.height;
    window.hDC = platform::headlessDeviceContext(context);
    window.bitsPerPixel = 32;
    window.isVisible = 1;

    demoInstrumentation.stepBegins = onStartupStep;
    const Clock::time_point startupStart = Clock::now();
    const bool started = initialize(&window, &keys);
    results.startupMs = millisecondsSince(startupStart);
    demoInstrumentation.stepBegins = nullptr;
    if (!started)
        results.ok = false;
    applyLodBiasSeam();
    if (!options.overlayText)
        font.release();  // printing then draws nothing; teardown's release is a no-op
    if (options.flyMode)
        cameraMode = CameraMode::FreeFly;
    tour.currentPath = static_cast<uint32_t>(options.tourPath);
    auto renderFrame = [&] {
        counters.simulatedMilliseconds += options.stepMilliseconds;
        update(options.stepMilliseconds);
        if (options.view)
            holdView(*options.view);
        render();
        platform::swapHeadlessBuffers(context);
        glFinish();
    };
    // Rendered but counted nowhere: the first frame of a start-up also
    // renders the shadow map and has the driver compile every program.
    for (int i = 0; i < options.warmupFrames; ++i)
        renderFrame();
    if (options.passTimes && !enablePassTimers()) {
        std::fprintf(stderr, "verdal-bench: the driver offers no timer queries\n");
        results.ok = false;
    }

    if (!options.screenshotFrames.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options.screenshotDir, ec);
    }
    const Clock::time_point runStart = Clock::now();
    for (int frame = 1;; ++frame) {
        if (options.durationSeconds > 0 ? millisecondsSince(runStart) >= options.durationSeconds * 1000.0
                                        : frame > options.frames)
            break;
        const Clock::time_point frameStart = Clock::now();
        renderFrame();
        results.frameTimes.push_back(millisecondsSince(frameStart));
        if (options.passTimes)
            collectPassTimes();
        if (std::find(options.memoryFrames.begin(), options.memoryFrames.end(), frame) != options.memoryFrames.end())
            results.memory.emplace_back("resident_kb_frame_" + std::to_string(frame), residentKilobytes());
        results.frames.push_back({frame, results.frameTimes.back(),
                                  options.passTimes ? lastFramePassMilliseconds() : std::map<std::string, double>{}});
        if (std::find(options.screenshotFrames.begin(), options.screenshotFrames.end(), frame)
            != options.screenshotFrames.end()) {
            char name[64];
            std::snprintf(name, sizeof name, "frame-%06d.png", frame);
            const std::string path = (std::filesystem::absolute(options.screenshotDir) / name).string();
            if (saveFramebufferPng(path, options.width, options.height)) {
                results.screenshots.push_back(path);
            } else {
                std::fprintf(stderr, "verdal-bench: cannot write %s\n", path.c_str());
                results.ok = false;
            }
        }
    }
    if (options.passTimes)
        releasePassTimers();
    deinitialize();
}

void restartDemoClocks()
{
    frameState = FrameUpdateState{};
    counters.simulatedMilliseconds = 0;
    for (CameraPath& path : tour.paths)
        path.restart();
}

bool reportResults(const BenchOptions& options, RunResults& results)
{
    const FrameStatistics stats = summarizeFrameTimes(results.frameTimes);
    report("size", std::to_string(options.width) + "x" + std::to_string(options.height));
    report("mode", options.flyMode ? "fly" : "demo");
    if (options.view)
        report("view", formatView(*options.view));
    report("path", std::to_string(options.tourPath));
    report("step_ms", std::to_string(options.stepMilliseconds));
    report("startup_ms", results.startupMs);
    for (const auto& [step, ms] : counters.startupSteps)
        report("startup_" + step + "_ms", ms);
    report("warmup_frames", std::to_string(options.warmupFrames));
    report("frames", std::to_string(results.frameTimes.size()));
    report("fps_average", stats.averageFps);
    report("frame_ms_p50", stats.p50);
    report("frame_ms_p95", stats.p95);
    report("frame_ms_p99", stats.p99);
    report("fps_1pct_low", stats.onePercentLowFps);
    if (options.passTimes) {
        for (const auto& [pass, ms] : passMilliseconds())
            if (ms >= 0)
                report("pass_ms_" + pass, ms);
            else
                report("pass_ms_" + pass, std::string("n/a"));
    }
    if (options.glDebug)
        report("gl_errors", std::to_string(glDebugErrorCount()));
    report("message_boxes", std::to_string(counters.messageBoxes));
    for (const auto& [key, value] : results.memory)
        report(key, value);
    for (size_t i = 0; i < results.screenshots.size(); ++i)
        report("screenshot_" + std::to_string(i + 1), results.screenshots[i]);
    if (options.glDebug && glDebugErrorCount() > 0)
        results.ok = false;
    std::string reportPage;
    auto figures = summary;
    figures.emplace_back("result", results.ok ? "ok" : "failed");
    const ReportInput run{figures, results.frames, stats,
                          options.passTimes ? passMilliseconds() : std::map<std::string, double>{},
                          results.screenshots};
    if (!writeRequestedOutputs(options, run, reportPage))
        results.ok = false;
    report("result", results.ok ? "ok" : "failed");
    if (!reportPage.empty())
        report("report", reportPage);

    for (const auto& [key, value] : summary)
        std::printf("%s: %s\n", key.c_str(), value.c_str());
    if (!options.resultsFile.empty())
        makeParentFolder(options.resultsFile);
    if (!options.resultsFile.empty() && !writeJson(options.resultsFile, options.frameLogFile)) {
        std::fprintf(stderr, "verdal-bench: cannot write %s\n", options.resultsFile.c_str());
        return false;
    }
    return results.ok;
}
