#include "validation_check.h"

#include <cstdio>
#include <filesystem>

#include "html_text.h"

bool checkValidationFrames(const std::string& referenceDir, const std::string& resultDir,
                           const std::vector<std::string>& names, const FrameTolerance& tolerance,
                           std::vector<FrameVerdict>& verdicts, std::string& error)
{
    verdicts.clear();
    for (const std::string& name : names) {
        FrameVerdict verdict;
        verdict.name = name;
        verdict.referencePath = (std::filesystem::path(referenceDir) / (name + ".png")).string();
        verdict.resultPath = (std::filesystem::path(resultDir) / (name + ".png")).string();
        RgbImage reference, result;
        if (!readPngFile(verdict.referencePath, reference, error))
            return false;
        std::string resultError;
        if (readPngFile(verdict.resultPath, result, resultError)) {
            if (reference.width != result.width || reference.height != result.height) {
                error = verdict.referencePath + ": " + std::to_string(reference.width) + "x"
                    + std::to_string(reference.height) + ", but the frames are " + std::to_string(result.width)
                    + "x" + std::to_string(result.height);
                return false;
            }
            verdict.difference = compareFrames(reference, result, tolerance);
            verdict.passed = withinTolerance(verdict.difference, tolerance);
            verdict.differencePath = (std::filesystem::path(resultDir) / (name + "-difference.png")).string();
            if (!writePngFile(verdict.differencePath,
                              differencePicture(reference, result, tolerance.changedDistance)))
                verdict.differencePath.clear();
        } else {
            verdict.difference = {1.0, 0.0, 1.0, 0.0};
        }
        verdicts.push_back(verdict);
    }
    return true;
}

namespace {

std::string measures(const FrameVerdict& verdict)
{
    char text[160];
    const FrameDifference& d = verdict.difference;
    std::snprintf(text, sizeof text, "worst region ssim %.4f, changed %.1f %%; frame ssim %.4f, changed %.2f %%",
                  d.regionSimilarity, d.regionChangedFraction * 100, d.similarity, d.changedFraction * 100);
    return text;
}

std::string figure(const std::string& path, const std::string& caption)
{
    if (path.empty() || !std::filesystem::exists(path))
        return "<figure><div class=\"missing\">none</div><figcaption>" + caption + "</figcaption></figure>";
    return "<figure>" + inlinePngImage(path, caption) + "<figcaption>" + caption + "</figcaption></figure>";
}

} // namespace

bool writeValidationPage(const std::string& directory, const std::vector<FrameVerdict>& verdicts,
                         const std::string& tolerance, std::string& pagePath, std::string& error)
{
    int passed = 0;
    for (const FrameVerdict& verdict : verdicts)
        passed += verdict.passed;
    const bool allPassed = passed == static_cast<int>(verdicts.size());
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>verdal-bench validation</title>\n<style>\n"
                       "body { font-family: sans-serif; margin: 24px auto; max-width: 1100px; color: #212529; }\n"
                       "h1 { font-size: 22px; } h2 { font-size: 16px; margin: 22px 0 6px; }\n"
                       ".pass { color: #2b8a3e; } .fail { color: #c92a2a; }\n"
                       "figure { display: inline-block; margin: 0 12px 8px 0; }\n"
                       "figure img { width: 340px; image-rendering: pixelated; border: 1px solid #adb5bd; }\n"
                       ".missing { width: 340px; height: 255px; background: #f1f3f5; }\n"
                       "figcaption { font-size: 12px; color: #495057; }\n</style>\n</head>\n<body>\n"
                       "<h1>verdal-bench validation: <span class=\"";
    html += allPassed ? "pass\">pass" : "fail\">fail";
    html += "</span></h1>\n<p>" + std::to_string(passed) + " of " + std::to_string(verdicts.size())
        + " frames within the tolerance: " + escapeHtml(tolerance)
        + ". The difference shows each channel's difference four times stronger; magenta marks the changed"
          " pixels.</p>\n";
    for (const FrameVerdict& verdict : verdicts) {
        html += "<h2>" + escapeHtml(verdict.name) + ": <span class=\"" + (verdict.passed ? "pass\">pass" : "fail\">fail")
            + "</span>, " + escapeHtml(measures(verdict)) + "</h2>\n";
        html += figure(verdict.referencePath, "reference") + figure(verdict.resultPath, "result")
            + figure(verdict.differencePath, "difference") + "\n";
    }
    html += "</body>\n</html>\n";

    return writeHtmlPage(directory, html, pagePath, error);
}

std::string describeVerdict(const FrameVerdict& verdict)
{
    return std::string(verdict.passed ? "pass" : "fail") + ", " + measures(verdict);
}
