#include "bench_options.h"

#include <charconv>
#include <cstring>
#include <filesystem>

const char* const benchUsage =
    "usage: verdal-bench [options]\n"
    "Runs the demo headless (EGL on Linux, a hidden window on Windows) with a\n"
    "fixed time step and reports start-up time, frame rate and frame times as\n"
    "key: value lines.\n"
    "\n"
    "  --data DIR            run directory holding Scene, Shader and Textures (default: .)\n"
    "  --size WxH            render resolution (default 1024x768)\n"
    "  --frames N            frames to render (default 300)\n"
    "  --duration S          render for S seconds of wall-clock time instead\n"
    "  --step-ms MS          elapsed time handed to each frame's update (default 16)\n"
    "  --warmup-frames N     render N frames first and count them in no figure (the\n"
    "                        first frame also renders the shadow map and compiles\n"
    "                        the driver's code for every program)\n"
    "  --mode demo|fly       the demo tour (default) or free fly from the start pose\n"
    "  --path 0|1|2          the tour path to start on (default 0)\n"
    "  --screenshot-at LIST  comma-separated frame numbers (1-based) to save as PNG\n"
    "  --screenshot-dir DIR  where screenshots go (default: .)\n"
    "  --memory-at LIST      comma-separated frame numbers after which to report\n"
    "                        the resident memory\n"
    "  --cycles N            start up, render and tear down N times in one context,\n"
    "                        reporting the GL objects left alive and the resident\n"
    "                        memory after each teardown (default 1)\n"
    "  --results FILE.json   also write the figures as JSON\n"
    "  --report DIR          write DIR/index.html: figures, frame-time graph, pass\n"
    "                        chart and screenshots in one page (screenshots go to DIR\n"
    "                        unless --screenshot-dir says otherwise; the last frame\n"
    "                        is taken if --screenshot-at is not given)\n"
    "  --frame-log FILE.csv  one row per frame: frame, ms and each pass's ms\n"
    "  --gl-debug            GL debug messages to the log; any GL error fails the run\n"
    "  --pass-times          GPU time per render pass from timer queries\n"
    "  --help, --version\n";

namespace {

template <typename T>
bool parseNumber(const char* text, T& value)
{
    const char* end = text + std::strlen(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end;
}

bool parseSize(const char* text, int& width, int& height)
{
    const char* x = std::strchr(text, 'x');
    if (!x)
        return false;
    auto [p1, e1] = std::from_chars(text, x, width);
    auto [p2, e2] = std::from_chars(x + 1, text + std::strlen(text), height);
    return e1 == std::errc() && p1 == x && e2 == std::errc() && *p2 == '\0'
        && width >= 16 && height >= 16 && width <= 8192 && height <= 8192;
}

bool parseFrameList(const char* text, std::vector<int>& frames)
{
    frames.clear();
    const char* end = text + std::strlen(text);
    while (text < end) {
        int frame = 0;
        auto [ptr, ec] = std::from_chars(text, end, frame);
        if (ec != std::errc() || frame < 1)
            return false;
        frames.push_back(frame);
        if (ptr == end)
            break;
        if (*ptr != ',')
            return false;
        text = ptr + 1;
    }
    return !frames.empty();
}

} // namespace

bool parseBenchOptions(int argc, char** argv, BenchOptions& options, std::string& error)
{
    bool screenshotDirGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                error = name + " needs a value";
                return nullptr;
            }
            return argv[++i];
        };
        const char* v = nullptr;
        if (name == "--help") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--gl-debug") {
            options.glDebug = true;
        } else if (name == "--pass-times") {
            options.passTimes = true;
        } else if (name == "--data") {
            if (!(v = value()))
                return false;
            options.dataDir = v;
        } else if (name == "--size") {
            if (!(v = value()))
                return false;
            if (!parseSize(v, options.width, options.height)) {
                error = "--size wants WxH between 16 and 8192, not " + std::string(v);
                return false;
            }
        } else if (name == "--frames") {
            if (!(v = value()))
                return false;
            if (!parseNumber(v, options.frames) || options.frames < 1) {
                error = "--frames wants a positive whole number, not " + std::string(v);
                return false;
            }
        } else if (name == "--warmup-frames") {
            if (!(v = value()))
                return false;
            if (!parseNumber(v, options.warmupFrames) || options.warmupFrames < 0) {
                error = "--warmup-frames wants a whole number, not " + std::string(v);
                return false;
            }
        } else if (name == "--duration") {
            if (!(v = value()))
                return false;
            if (!parseNumber(v, options.durationSeconds) || !(options.durationSeconds > 0)) {
                error = "--duration wants a positive number of seconds, not " + std::string(v);
                return false;
            }
        } else if (name == "--step-ms") {
            if (!(v = value()))
                return false;
            if (!parseNumber(v, options.stepMilliseconds) || options.stepMilliseconds > 60000) {
                error = "--step-ms wants milliseconds from 0 to 60000, not " + std::string(v);
                return false;
            }
        } else if (name == "--mode") {
            if (!(v = value()))
                return false;
            if (std::strcmp(v, "demo") == 0 || std::strcmp(v, "fly") == 0) {
                options.flyMode = std::strcmp(v, "fly") == 0;
            } else {
                error = "--mode wants demo or fly, not " + std::string(v);
                return false;
            }
        } else if (name == "--path") {
            if (!(v = value()))
                return false;
            if (!parseNumber(v, options.tourPath) || options.tourPath < 0 || options.tourPath > 2) {
                error = "--path wants 0, 1 or 2, not " + std::string(v);
                return false;
            }
        } else if (name == "--screenshot-at") {
            if (!(v = value()))
                return false;
            if (!parseFrameList(v, options.screenshotFrames)) {
                error = "--screenshot-at wants frame numbers like 1,100,250, not " + std::string(v);
                return false;
            }
        } else if (name == "--memory-at") {
            if (!(v = value()))
                return false;
            if (!parseFrameList(v, options.memoryFrames)) {
                error = "--memory-at wants frame numbers like 300,3000, not " + std::string(v);
                return false;
            }
        } else if (name == "--cycles") {
            if (!(v = value()))
                return false;
            if (!parseNumber(v, options.cycles) || options.cycles < 1) {
                error = "--cycles wants a positive whole number, not " + std::string(v);
                return false;
            }
        } else if (name == "--screenshot-dir") {
            if (!(v = value()))
                return false;
            options.screenshotDir = v;
            screenshotDirGiven = true;
        } else if (name == "--report") {
            if (!(v = value()))
                return false;
            options.reportDir = std::filesystem::absolute(v).string();
        } else if (name == "--frame-log") {
            if (!(v = value()))
                return false;
            options.frameLogFile = std::filesystem::absolute(v).string();
        } else if (name == "--results") {
            if (!(v = value()))
                return false;
            options.resultsFile = v;
        } else {
            error = "unknown option " + name;
            return false;
        }
    }
    // A report shows screenshots: the last frame's unless others were asked
    // for, kept beside the page unless another folder was named.
    if (!options.reportDir.empty()) {
        if (!screenshotDirGiven)
            options.screenshotDir = options.reportDir;
        if (options.screenshotFrames.empty() && options.durationSeconds <= 0)
            options.screenshotFrames.push_back(options.frames);
    }
    return true;
}
