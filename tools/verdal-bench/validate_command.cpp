#include "validate_command.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_run.h"
#include "gl_probes.h"
#include "image_file.h"
#include "platform/headless_context.h"
#include "validation_check.h"
#include "validation_set.h"

namespace {

// The folder the validation frames go to: the report's, the references'
// when refreshing them, or a fresh one in the temporary folder.
std::filesystem::path validationOutput(const BenchOptions& options, const std::filesystem::path& references)
{
    if (options.refreshReferences)
        return references;
    if (!options.reportDir.empty())
        return options.reportDir;
    const auto stamp = std::chrono::system_clock::now().time_since_epoch().count();
    return std::filesystem::temp_directory_path() / ("verdal-bench-validation-" + std::to_string(stamp));
}

} // namespace

int runValidation(const BenchOptions& options)
{
    const std::filesystem::path references = options.referenceDir.empty()
        ? std::filesystem::absolute(std::filesystem::path(options.dataDir.empty() ? "." : options.dataDir)
                                    / validationFolder)
        : std::filesystem::path(options.referenceDir);
    std::error_code ec;
    if (!options.refreshReferences && !std::filesystem::is_directory(references, ec)) {
        std::fprintf(stderr, "verdal-bench: no reference pictures: %s is not a folder\n", references.string().c_str());
        return 2;
    }
    // Every reference must be usable before minutes of rendering on a slow driver.
    for (const ValidationRun& run : validationRuns())
        for (const ValidationShot& shot : run.shots) {
            RgbImage reference;
            std::string error;
            const std::string path = (references / (shot.name + ".png")).string();
            if (options.refreshReferences)
                continue;
            if (readPngFile(path, reference, error)
                && (reference.width != validationWidth || reference.height != validationHeight))
                error = path + ": " + std::to_string(reference.width) + "x" + std::to_string(reference.height)
                    + ", but the frames are " + std::to_string(validationWidth) + "x"
                    + std::to_string(validationHeight);
            if (!error.empty()) {
                std::fprintf(stderr, "verdal-bench: %s\n", error.c_str());
                return 2;
            }
        }
    const std::filesystem::path output = validationOutput(options, references);
    std::filesystem::create_directories(output, ec);

    // The demo ends the process itself when start-up cannot go on (a texture
    // missing): the verdict is still owed.
    static bool validationEnded = false;
    std::atexit([] {
        if (!validationEnded)
            std::printf("validate: fail, the demo ended the run before its frames were compared\n");
    });
    BenchOptions base = options;
    base.width = validationWidth;
    base.height = validationHeight;
    RunResults results;
    platform::HeadlessContext* context = setUpRun(base, results);
    if (!context)
        return 1;
    std::vector<std::string> names;
    for (const ValidationRun& run : validationRuns()) {
        BenchOptions runOptions = run.options;
        runOptions.width = validationWidth;
        runOptions.height = validationHeight;
        runOptions.glDebug = options.glDebug;
        runOptions.screenshotDir = output.string();
        for (const ValidationShot& shot : run.shots)
            runOptions.screenshotFrames.push_back(shot.frame);
        restartDemoClocks();
        runFrames(runOptions, context, results);
        for (const ValidationShot& shot : run.shots) {
            char frameFile[64];
            std::snprintf(frameFile, sizeof frameFile, "frame-%06d.png", shot.frame);
            std::filesystem::rename(output / frameFile, output / (shot.name + ".png"), ec);
            names.push_back(shot.name);
        }
    }
    platform::destroyHeadlessContext(context);
    validationEnded = true;
    if (options.glDebug && glDebugErrorCount() > 0)
        results.ok = false;
    if (options.refreshReferences) {
        std::printf("references: %s (%zu pictures)\nresult: %s\n", output.string().c_str(), names.size(),
                    results.ok ? "ok" : "failed");
        return results.ok ? 0 : 1;
    }

    const FrameTolerance& tolerance = validationTolerance();
    std::vector<FrameVerdict> verdicts;
    std::string error;
    if (!checkValidationFrames(references.string(), output.string(), names, tolerance, verdicts, error)) {
        std::fprintf(stderr, "verdal-bench: %s\n", error.c_str());
        return 2;
    }
    int passed = 0;
    std::printf("validate_references: %s\nvalidate_tolerance: %s\n", references.string().c_str(),
                describeTolerance(tolerance).c_str());
    for (const FrameVerdict& verdict : verdicts) {
        passed += verdict.passed;
        std::printf("validate_%s: %s\n", verdict.name.c_str(), describeVerdict(verdict).c_str());
    }
    const bool allPassed = results.ok && passed == static_cast<int>(verdicts.size());
    std::printf("validate: %s, %d of %zu frames pass%s\n", allPassed ? "pass" : "fail", passed, verdicts.size(),
                results.ok ? "" : "; the run itself failed (see above)");
    if (!options.reportDir.empty()) {
        std::string page;
        if (writeValidationPage(options.reportDir, verdicts, describeTolerance(tolerance), page, error))
            std::printf("report: %s\n", page.c_str());
        else
            std::fprintf(stderr, "verdal-bench: %s\n", error.c_str());
    } else {
        std::filesystem::remove_all(output, ec);
    }
    return allPassed ? 0 : 1;
}
