// verdal-bench: the demo's start-up, update and render without a display and
// without a user, at a fixed time step, reporting what it measured.
#include <cstdio>
#include <cstring>
#include <string>

#include "bench_options.h"
#include "bench_run.h"
#include "compare_command.h"
#include "gl_probes.h"
#include "validate_command.h"

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "compare") == 0)
        return runCompareCommand(argc - 2, argv + 2);
    BenchOptions options;
    std::string error;
    if (!parseBenchOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "verdal-bench: %s\n%s", error.c_str(), benchUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(benchUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("verdal-bench %s\n", VERDAL_VERSION);
        return 0;
    }
    if (options.validate)
        return runValidation(options);
    RunResults results;
    platform::HeadlessContext* context = setUpRun(options, results);
    if (!context)
        return 1;
    for (int cycle = 1; cycle <= options.cycles; ++cycle) {
        runFrames(options, context, results);
        if (options.cycles > 1) {
            const std::string after = "_after_cycle_" + std::to_string(cycle);
            results.memory.emplace_back("gl_objects" + after, std::to_string(liveGlObjectCount()));
            results.memory.emplace_back("resident_kb" + after, residentKilobytes());
        }
    }
    platform::destroyHeadlessContext(context);
    return reportResults(options, results) ? 0 : 1;
}
