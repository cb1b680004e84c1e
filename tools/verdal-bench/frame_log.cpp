#include "frame_log.h"

#include <cstdio>
#include <fstream>
#include <set>

std::vector<std::string> timedPasses(const std::vector<FrameRecord>& frames)
{
    std::set<std::string> names;
    for (const FrameRecord& frame : frames)
        for (const auto& [pass, ms] : frame.passMilliseconds)
            names.insert(pass);
    return {names.begin(), names.end()};
}

std::string frameLogCsv(const std::vector<FrameRecord>& frames)
{
    const std::vector<std::string> passes = timedPasses(frames);
    std::string csv = "frame,ms";
    for (const std::string& pass : passes)
        csv += "," + pass + "_ms";
    csv += "\n";
    char number[32];
    for (const FrameRecord& frame : frames) {
        std::snprintf(number, sizeof number, "%d,%.3f", frame.frame, frame.milliseconds);
        csv += number;
        for (const std::string& pass : passes) {
            csv += ",";
            const auto found = frame.passMilliseconds.find(pass);
            if (found != frame.passMilliseconds.end() && found->second >= 0) {
                std::snprintf(number, sizeof number, "%.3f", found->second);
                csv += number;
            }
        }
        csv += "\n";
    }
    return csv;
}

bool writeFrameLog(const std::string& path, const std::vector<FrameRecord>& frames)
{
    std::ofstream out(path, std::ios::binary);
    out << frameLogCsv(frames);
    return static_cast<bool>(out);
}
