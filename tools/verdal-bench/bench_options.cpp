#include "bench_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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
    "  --view EX,EY,EZ,TX,TY,TZ\n"
    "                        free fly with the eye at EX,EY,EZ looking at TX,TY,TZ\n"
    "                        (world units, up along +y), held for every frame\n"
    "  --path 0|1|2          the tour path to start on (default 0)\n"
    "  --screenshot-at LIST  comma-separated frame numbers (1-based) to save as PNG\n"
    "  --screenshot-dir DIR  where screenshots go, made if missing (default: .)\n"
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
    "  --validate [DIR]      render a fixed set of frames at 240x180 and compare each\n"
    "                        with its reference in DIR (default: Validation in the\n"
    "                        data directory); one line per frame and a verdict,\n"
    "                        exit status 0 when all pass, 1 otherwise; with\n"
    "                        --report, a page of reference, result and difference\n"
    "  --refresh-references  with --validate: write the frames as the references\n"
    "  --help, --version\n"
    "\n"
    "usage: verdal-bench compare A.json B.json [C.json ...] [--report DIR]\n"
    "Compares runs written with --results and --frame-log: each figure side by\n"
    "side with its change and whether that is within the runs' own spread.\n";

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

// Why the text is no view the camera can take, as what --view wants instead;
// null when it is one.
const char* viewProblem(const char* text, FixedView& view)
{
    const char* const sixNumbers = "six numbers EX,EY,EZ,TX,TY,TZ (the eye, then the point looked at)";
    float numbers[6] = {};
    const char* end = text + std::strlen(text);
    for (int i = 0; i < 6; ++i) {
        auto [ptr, ec] = std::from_chars(text, end, numbers[i]);
        if (ec != std::errc() || !std::isfinite(numbers[i]) || *ptr != (i < 5 ? ',' : '\0'))
            return sixNumbers;
        text = ptr + 1;
    }
    view.eye = {numbers[0], numbers[1], numbers[2]};
    view.target = {numbers[3], numbers[4], numbers[5]};
    // The direction in floats, as the camera works it out from the two points.
    const float dx = numbers[3] - numbers[0], dy = numbers[4] - numbers[1], dz = numbers[5] - numbers[2];
    if (!std::isfinite(dx) || !std::isfinite(dy) || !std::isfinite(dz))
        return sixNumbers;
    if (dx == 0.0f && dy == 0.0f && dz == 0.0f)
        return "a target apart from the eye";
    // Looking along the up vector leaves no sideways direction to build the
    // view from (gluLookAt's cross product vanishes). Within about 0.0006
    // degrees of the vertical counts as along it.
    const double horizontal = std::hypot(static_cast<double>(dx), static_cast<double>(dz));
    if (horizontal <= 1e-5 * std::hypot(horizontal, static_cast<double>(dy)))
        return "a direction off the vertical (looking straight up or down leaves no way to tell left from right)";
    return nullptr;
}

} // namespace

std::string formatView(const FixedView& view)
{
    std::string text;
    for (float v : {view.eye[0], view.eye[1], view.eye[2], view.target[0], view.target[1], view.target[2]}) {
        char number[32];
        const auto [end, ec] = std::to_chars(number, number + sizeof number, v);
        if (!text.empty())
            text += ',';
        text.append(number, ec == std::errc() ? end : number);
    }
    return text;
}

bool parseBenchOptions(int argc, char** argv, BenchOptions& options, std::string& error)
{
    static const char* const optionsWithValue[] = {
        "--data", "--size", "--frames", "--warmup-frames", "--duration", "--step-ms", "--mode", "--view", "--path",
        "--screenshot-at", "--memory-at", "--cycles", "--screenshot-dir", "--report", "--frame-log", "--results"};
    bool screenshotDirGiven = false;
    bool demoModeAsked = false;
    std::string framesChosen;  // an option choosing what to render, which --validate fixes itself
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--validate") {
            options.validate = true;
            // An optional folder: the next word, unless it is the next option.
            if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0)
                options.referenceDir = std::filesystem::absolute(argv[++i]).string();
            continue;
        }
        if (name == "--refresh-references") {
            options.refreshReferences = true;
            continue;
        }
        if (name == "--help" || name == "--version" || name == "--gl-debug" || name == "--pass-times") {
            options.help |= name == "--help";
            options.version |= name == "--version";
            options.glDebug |= name == "--gl-debug";
            options.passTimes |= name == "--pass-times";
            continue;
        }
        if (std::find(std::begin(optionsWithValue), std::end(optionsWithValue), name) == std::end(optionsWithValue)) {
            error = "unknown option " + name;
            return false;
        }
        if (i + 1 >= argc) {
            error = name + " needs a value";
            return false;
        }
        const char* v = argv[++i];
        // False, with the message, when the value is not what the option takes.
        auto wants = [&](bool accepted, const char* what) {
            if (!accepted)
                error = name + " wants " + what + ", not " + v;
            return accepted;
        };
        bool ok = true;
        if (name != "--data" && name != "--report")
            framesChosen = name;
        if (name == "--data") {
            options.dataDir = v;
        } else if (name == "--size") {
            ok = wants(parseSize(v, options.width, options.height), "WxH between 16 and 8192");
        } else if (name == "--frames") {
            ok = wants(parseNumber(v, options.frames) && options.frames >= 1, "a positive whole number");
        } else if (name == "--warmup-frames") {
            ok = wants(parseNumber(v, options.warmupFrames) && options.warmupFrames >= 0, "a whole number");
        } else if (name == "--duration") {
            ok = wants(parseNumber(v, options.durationSeconds) && options.durationSeconds > 0,
                       "a positive number of seconds");
        } else if (name == "--step-ms") {
            ok = wants(parseNumber(v, options.stepMilliseconds) && options.stepMilliseconds <= 60000,
                       "milliseconds from 0 to 60000");
        } else if (name == "--mode") {
            ok = wants(std::strcmp(v, "demo") == 0 || std::strcmp(v, "fly") == 0, "demo or fly");
            options.flyMode = std::strcmp(v, "fly") == 0;
            demoModeAsked = std::strcmp(v, "demo") == 0;
        } else if (name == "--view") {
            FixedView view;
            const char* problem = viewProblem(v, view);
            ok = wants(problem == nullptr, problem);
            options.view = view;
        } else if (name == "--path") {
            ok = wants(parseNumber(v, options.tourPath) && options.tourPath >= 0 && options.tourPath <= 2, "0, 1 or 2");
        } else if (name == "--screenshot-at") {
            ok = wants(parseFrameList(v, options.screenshotFrames), "frame numbers like 1,100,250");
        } else if (name == "--memory-at") {
            ok = wants(parseFrameList(v, options.memoryFrames), "frame numbers like 300,3000");
        } else if (name == "--cycles") {
            ok = wants(parseNumber(v, options.cycles) && options.cycles >= 1, "a positive whole number");
        } else if (name == "--screenshot-dir") {
            options.screenshotDir = std::filesystem::absolute(v).string();
            screenshotDirGiven = true;
        } else if (name == "--report") {
            options.reportDir = std::filesystem::absolute(v).string();
        } else if (name == "--frame-log") {
            options.frameLogFile = std::filesystem::absolute(v).string();
        } else if (name == "--results") {
            options.resultsFile = std::filesystem::absolute(v).string();
        }
        if (!ok)
            return false;
    }
    if (options.validate && !framesChosen.empty()) {
        error = "--validate renders its own frames, so it cannot go with " + framesChosen;
        return false;
    }
    if (options.refreshReferences && !options.validate) {
        error = "--refresh-references goes with --validate";
        return false;
    }
    if (options.view && demoModeAsked) {
        error = "--view flies the camera, so it cannot go with --mode demo";
        return false;
    }
    if (options.view)
        options.flyMode = true;
    // A report shows screenshots: the last frame's unless others were asked
    // for, kept beside the page unless another folder was named.
    // Files named on the command line are where the caller means, not in the
    // data directory the run enters.
    if (!screenshotDirGiven)
        options.screenshotDir = std::filesystem::absolute(".").string();
    if (!options.reportDir.empty()) {
        if (!screenshotDirGiven)
            options.screenshotDir = options.reportDir;
        if (options.screenshotFrames.empty() && options.durationSeconds <= 0)
            options.screenshotFrames.push_back(options.frames);
    }
    return true;
}
