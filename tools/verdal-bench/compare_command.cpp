#include "compare_command.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "compare_page.h"
#include "html_text.h"
#include "svg_charts.h"

namespace {

int inputError(const std::string& message)
{
    std::fprintf(stderr, "verdal-bench compare: %s\n", message.c_str());
    return 2;
}

} // namespace

int runCompareCommand(int argc, char** argv)
{
    std::vector<std::string> files;
    std::string reportDir;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--report") == 0) {
            if (i + 1 >= argc)
                return inputError("--report needs a folder");
            reportDir = std::filesystem::absolute(argv[++i]).string();
        } else if (std::strncmp(argv[i], "--", 2) == 0) {
            return inputError(std::string("unknown option ") + argv[i]
                              + "; usage: verdal-bench compare A.json B.json [C.json ...] [--report DIR]");
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.size() < 2)
        return inputError("needs two results files or more: verdal-bench compare A.json B.json [--report DIR]");
    if (files.size() > std::size(comparedRunColours))
        return inputError("compares at most " + std::to_string(std::size(comparedRunColours)) + " runs at once");
    std::vector<RunFile> runs(files.size());
    std::string error;
    for (size_t i = 0; i < files.size(); ++i)
        if (!readRunFile(files[i], runs[i], error))
            return inputError(error);
    if (!comparableRuns(runs, error))
        return inputError(error);

    const std::vector<FigureComparison> figures = compareRuns(runs);
    for (size_t i = 0; i < runs.size(); ++i)
        std::printf("run_%c: %s\n", 'A' + static_cast<int>(i), runs[i].path.c_str());
    for (const FigureComparison& figure : figures)
        std::printf("%s: %s\n", figure.name.c_str(), describeComparison(figure).c_str());
    if (!reportDir.empty()) {
        std::string page;
        if (!writeHtmlPage(reportDir, comparePageHtml(runs, figures), page, error)) {
            std::fprintf(stderr, "verdal-bench compare: %s\n", error.c_str());
            return 1;
        }
        std::printf("report: %s\n", page.c_str());
    }
    return 0;
}
