#pragma once

// The readers under test take file names: each input goes through one scratch
// file, made once per process and removed at exit.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz_support {

inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Writes the input to the scratch file; its name, or null if it cannot be written.
inline const char* writeScratch(const uint8_t* data, size_t size)
{
    static std::string path;
    if (path.empty()) {
        const char* dir = std::getenv("TMPDIR");
        std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/verdal-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        require(fd >= 0);
        close(fd);
        path = pattern;
        std::atexit([] { unlink(path.c_str()); });
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return nullptr;
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path.c_str();
}

} // namespace fuzz_support
