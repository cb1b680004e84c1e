#include "bench_outputs.h"

#include <cstdio>
#include <filesystem>

#include "frame_log.h"

void makeParentFolder(const std::string& file)
{
    std::error_code ec;  // a folder that cannot be made shows as the file not written
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
}

bool writeRequestedOutputs(const BenchOptions& options, const ReportInput& run, std::string& reportPage)
{
    bool ok = true;
    reportPage.clear();
    if (!options.frameLogFile.empty())
        makeParentFolder(options.frameLogFile);
    if (!options.frameLogFile.empty() && !writeFrameLog(options.frameLogFile, run.frames)) {
        std::fprintf(stderr, "verdal-bench: cannot write %s\n", options.frameLogFile.c_str());
        ok = false;
    }
    if (!options.reportDir.empty()) {
        std::string error;
        if (!writeReportPage(options.reportDir, run, reportPage, error)) {
            std::fprintf(stderr, "verdal-bench: %s\n", error.c_str());
            reportPage.clear();
            ok = false;
        }
    }
    return ok;
}
