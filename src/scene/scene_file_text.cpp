#include "scene/scene_file_text.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

SceneFileRead readSceneFileText(const char* fileName, std::string& text)
{
    text.clear();
    if (!fileName)
        return SceneFileRead::CannotOpen;
    // The size is only a first guess (the file may change meanwhile): reading
    // goes on to the real end, in growing steps.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (error || std::filesystem::is_directory(status))
        return SceneFileRead::CannotOpen;
    size_t expected = 0;
    if (std::filesystem::is_regular_file(status)) {
        const uintmax_t size = std::filesystem::file_size(fileName, error);
        if (!error && size > MaxSceneFileBytes)
            return SceneFileRead::TooLarge;
        expected = error ? 0 : static_cast<size_t>(size);
    }
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file)
        return SceneFileRead::CannotOpen;

    SceneFileRead result = SceneFileRead::Ok;
    size_t length = 0;
    size_t capacity = expected + 1;  // one spare byte to see the end in the first read
    for (;;) {
        if (capacity > MaxSceneFileBytes + 1) {
            result = SceneFileRead::TooLarge;
            break;
        }
        text.resize(capacity);
        length += std::fread(text.data() + length, 1, capacity - length, file);
        if (length < capacity) {
            if (std::ferror(file))
                result = SceneFileRead::CannotOpen;  // e.g. a directory
            break;
        }
        capacity = capacity < (size_t{1} << 16) ? size_t{1} << 16 : capacity * 2;
    }
    std::fclose(file);
    if (result != SceneFileRead::Ok || length > MaxSceneFileBytes) {
        text = std::string();
        return result != SceneFileRead::Ok ? result : SceneFileRead::TooLarge;
    }
    text.resize(length);
    return SceneFileRead::Ok;
}
