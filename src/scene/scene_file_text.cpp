#include "scene/scene_file_text.h"

#include <cstdio>

SceneFileRead readSceneFileText(const char* fileName, std::string& text)
{
    text.clear();
    if (!fileName)
        return SceneFileRead::CannotOpen;
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file)
        return SceneFileRead::CannotOpen;

    // The size is only a hint for the first allocation: the loop below reads
    // to the end whatever the file really holds.
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && static_cast<unsigned long>(size) <= MaxSceneFileBytes)
            text.reserve(static_cast<size_t>(size));
        std::rewind(file);
    }

    SceneFileRead result = SceneFileRead::Ok;
    char chunk[1 << 16];
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (text.size() + got > MaxSceneFileBytes) {
            result = SceneFileRead::TooLarge;
            break;
        }
        text.append(chunk, got);
        if (got < sizeof chunk) {
            if (std::ferror(file))
                result = SceneFileRead::CannotOpen;  // e.g. a directory
            break;
        }
    }
    std::fclose(file);
    if (result != SceneFileRead::Ok)
        text = std::string();
    return result;
}
