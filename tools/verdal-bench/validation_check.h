#pragma once

#include <string>
#include <vector>

#include "image_compare.h"

// One validated frame: how far it strayed from its reference and whether
// that is within the tolerance.
struct FrameVerdict {
    std::string name;
    std::string referencePath;
    std::string resultPath;
    std::string differencePath;  // empty when there is no result to compare
    FrameDifference difference;
    bool passed = false;
};

// Compares referenceDir/NAME.png with resultDir/NAME.png for each name and
// writes resultDir/NAME-difference.png. A frame with no result fails. False,
// with a reason naming the file, when a reference is missing, unreadable or
// of another size than the result: the references are at fault, not the
// driver.
bool checkValidationFrames(const std::string& referenceDir, const std::string& resultDir,
                           const std::vector<std::string>& names, const FrameTolerance& tolerance,
                           std::vector<FrameVerdict>& verdicts, std::string& error);

// The page of a validation: per frame the reference, the result and the
// difference side by side, with the measures and the verdict.
bool writeValidationPage(const std::string& directory, const std::vector<FrameVerdict>& verdicts,
                         const std::string& tolerance, std::string& pagePath, std::string& error);

// "pass, ssim 0.9981, changed 0.03 %": the frame's printed line.
std::string describeVerdict(const FrameVerdict& verdict);
