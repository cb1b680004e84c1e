#include "support/test_files.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace testing_support {

std::filesystem::path makeTempDir(const std::string& tag)
{
    static std::mt19937_64 names{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto path = std::filesystem::temp_directory_path()
            / ("verdal-" + tag + "-" + std::to_string(names() % 1000000000));
        std::error_code error;
        if (std::filesystem::create_directory(path, error))
            return path;
    }
    std::abort();
}

void writeFile(const std::filesystem::path& path, std::string_view content)
{
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string readFile(const std::filesystem::path& path, std::ios::openmode mode)
{
    std::ifstream in(path, mode);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

namespace {
platform::MessageBoxResult questionAnswer = platform::MessageBoxResult::No;
platform::MessageBoxResult recordBox(const char* text, const char* caption, platform::MessageBoxStyle style)
{
    recordedBoxes().push_back({text, caption, style});
    return style == platform::MessageBoxStyle::QuestionYesNo ? questionAnswer : platform::MessageBoxResult::Ok;
}
} // namespace

std::vector<RecordedBox>& recordedBoxes()
{
    static std::vector<RecordedBox> boxes;
    return boxes;
}

void recordMessageBoxes(platform::MessageBoxResult answer)
{
    questionAnswer = answer;
    recordedBoxes().clear();
    platform::setMessageBoxHandler(recordBox);
}

} // namespace testing_support
