#pragma once

// The readers under test take file names: each input goes through one scratch
// file, made once per process and removed at exit.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz_support {

inline std::string& scratchPath()
{
    static std::string path;
    return path;
}

inline void removeScratch() { unlink(scratchPath().c_str()); }

// Writes the input to the scratch file; its name, or null if it cannot be written.
inline const char* writeScratch(const uint8_t* data, size_t size)
{
    if (scratchPath().empty()) {
        const char* dir = std::getenv("TMPDIR");
        std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/verdal-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0)
            std::abort();
        close(fd);
        scratchPath() = pattern;
        std::atexit(removeScratch);
    }
    std::FILE* file = std::fopen(scratchPath().c_str(), "wb");
    if (!file)
        return nullptr;
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
    return scratchPath().c_str();
}

inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace fuzz_support
