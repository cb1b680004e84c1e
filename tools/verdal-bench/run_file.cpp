#include "run_file.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "html_text.h"

namespace {

constexpr size_t largestFile = 64 << 20;

void skipSpace(const std::string& text, size_t& at)
{
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
}

// A JSON string without \u escapes (verdal-bench writes none).
bool readString(const std::string& text, size_t& at, std::string& value)
{
    if (at >= text.size() || text[at] != '"')
        return false;
    value.clear();
    for (++at; at < text.size(); ++at) {
        char c = text[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c == '\\') {
            if (++at >= text.size() || (text[at] != '"' && text[at] != '\\' && text[at] != '/'))
                return false;
            c = text[at];
        }
        value += c;
    }
    return false;
}

bool readNumber(const std::string& text, size_t& at, std::string& value)
{
    const size_t start = at;
    while (at < text.size() && std::strchr("0123456789.-+eE", text[at]) && text[at] != '\0')
        ++at;
    double number = 0;
    const auto [end, ec] = std::from_chars(text.data() + start, text.data() + at, number);
    if (at == start || ec != std::errc() || end != text.data() + at || !std::isfinite(number))
        return false;
    value = text.substr(start, at - start);
    return true;
}

bool parseNumberField(const std::string& text, double& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

std::vector<std::string> splitCsvLine(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (char c : line)
        if (c == ',')
            fields.emplace_back();
        else if (c != '\r')
            fields.back() += c;
    return fields;
}

} // namespace

bool parseFlatJson(const std::string& text, std::vector<std::pair<std::string, std::string>>& figures)
{
    figures.clear();
    size_t at = 0;
    skipSpace(text, at);
    if (at >= text.size() || text[at++] != '{')
        return false;
    skipSpace(text, at);
    if (at < text.size() && text[at] == '}') {
        ++at;
    } else {
        for (;;) {
            std::string key, value;
            skipSpace(text, at);
            if (!readString(text, at, key))
                return false;
            skipSpace(text, at);
            if (at >= text.size() || text[at++] != ':')
                return false;
            skipSpace(text, at);
            if (!(at < text.size() && text[at] == '"' ? readString(text, at, value) : readNumber(text, at, value)))
                return false;
            figures.emplace_back(key, value);
            skipSpace(text, at);
            if (at < text.size() && text[at] == ',') {
                ++at;
                continue;
            }
            if (at < text.size() && text[at] == '}') {
                ++at;
                break;
            }
            return false;
        }
    }
    skipSpace(text, at);
    return at == text.size();
}

bool parseFrameLog(const std::string& text, std::vector<FrameRecord>& frames, std::string& error)
{
    frames.clear();
    std::vector<std::string> header;
    size_t lineNumber = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::vector<std::string> fields = splitCsvLine(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (lineNumber == 1) {
            header = fields;
            if (header.size() < 2 || header[0] != "frame" || header[1] != "ms") {
                error = "its first line is not \"frame,ms...\"";
                return false;
            }
            continue;
        }
        FrameRecord record;
        double frame = 0;
        const bool ok = fields.size() == header.size() && parseNumberField(fields[0], frame)
            && frame >= 1 && frame <= 1e9 && parseNumberField(fields[1], record.milliseconds)
            && record.milliseconds >= 0;
        for (size_t i = 2; ok && i < fields.size(); ++i) {
            double ms = 0;
            if (fields[i].empty())
                continue;
            if (!parseNumberField(fields[i], ms) || header[i].size() <= 3) {
                error = "line " + std::to_string(lineNumber) + " is not a frame's times";
                return false;
            }
            record.passMilliseconds[header[i].substr(0, header[i].size() - 3)] = ms;  // "<pass>_ms"
        }
        if (!ok) {
            error = "line " + std::to_string(lineNumber) + " is not a frame's times";
            return false;
        }
        record.frame = static_cast<int>(frame);
        frames.push_back(record);
    }
    if (frames.empty()) {
        error = "it holds no frame";
        return false;
    }
    return true;
}

std::string figureOf(const RunFile& run, const std::string& key)
{
    for (const auto& [k, v] : run.figures)
        if (k == key)
            return v;
    return "";
}

bool readRunFile(const std::string& path, RunFile& run, std::string& error)
{
    run = RunFile{path, {}, {}};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = path + ": no such file";
        return false;
    }
    if (std::filesystem::file_size(path, ec) > largestFile) {
        error = path + ": larger than 64 MB, not a results file";
        return false;
    }
    if (!parseFlatJson(readWholeFile(path), run.figures)) {
        error = path + ": not a results file of verdal-bench (a flat JSON object of figures)";
        return false;
    }
    const std::string version = figureOf(run, "results_version");
    if (version != std::to_string(resultsVersion)) {
        error = path + ": written by " + (version.empty() ? std::string("an older") : "another")
            + " verdal-bench; run it again with this one, with --results and --frame-log";
        return false;
    }
    std::string log = figureOf(run, "frame_log");
    if (log.empty()) {
        error = path + ": names no frame log; run verdal-bench again with --frame-log as well as --results";
        return false;
    }
    // Moved with its results file: look beside it.
    if (!std::filesystem::is_regular_file(log, ec))
        log = (std::filesystem::path(path).parent_path() / std::filesystem::path(log).filename()).string();
    if (!std::filesystem::is_regular_file(log, ec) || std::filesystem::file_size(log, ec) > largestFile) {
        error = path + ": its frame log " + figureOf(run, "frame_log") + " is missing";
        return false;
    }
    std::string logError;
    if (!parseFrameLog(readWholeFile(log), run.frames, logError)) {
        error = log + ": not a frame log of verdal-bench: " + logError;
        return false;
    }
    return true;
}
