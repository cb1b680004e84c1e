#pragma once

#include <filesystem>
#include <ios>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace testing_support {

// A fresh, empty directory under the system's temporary directory.
std::filesystem::path makeTempDir(const std::string& tag);

void writeFile(const std::filesystem::path& path, std::string_view content);
std::string readFile(const std::filesystem::path& path, std::ios::openmode mode = std::ios::binary);
// Read as the program writes text files: on Windows each CR LF becomes LF.
inline std::string readTextFile(const std::filesystem::path& path) { return readFile(path, std::ios::in); }

// Runs a test inside a directory (the demo reads and writes relative paths) and
// returns to where it was afterwards.
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::filesystem::path& directory) { std::filesystem::current_path(directory); }
    ~ScopedWorkingDirectory() { std::filesystem::current_path(previous_); }
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
    ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

private:
    std::filesystem::path previous_ = std::filesystem::current_path();
};

// Message boxes shown while the recorder is installed: no window pops up, the
// box is kept here, and questions are answered with `answer`.
struct RecordedBox {
    std::string text;
    std::string caption;
    platform::MessageBoxStyle style;
};
std::vector<RecordedBox>& recordedBoxes();
void recordMessageBoxes(platform::MessageBoxResult answer = platform::MessageBoxResult::No);

} // namespace testing_support
