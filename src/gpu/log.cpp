#include "gpu/log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// Cleared by the first write attempt of the process, whether or not the file
// opened, so a fullscreen toggle appends instead of starting over.
bool firstWrite = true;
}

Log* Log::instance()
{
    static Log* log = new Log;  // lives until the process ends
    return log;
}

void Log::startNewRun()
{
    firstWrite = true;
}

void Log::write(const char* text)
{
    const char* mode = firstWrite ? "w" : "a";
    firstWrite = false;
    std::FILE* file = std::fopen("Log.txt", mode);
    bool written = file != nullptr;
    if (file) {
        std::fputs(text ? text : "", file);
        std::fputc('\n', file);
        std::fflush(file);
        std::fputc('\n', file);
        std::fflush(file);
        written = !std::ferror(file);
        written = std::fclose(file) == 0 && written;
    }
    // Said once: a read-only working directory or a full disk would otherwise
    // lose the log without a word.
    static bool told = false;
    if (!written && !told) {
        std::fprintf(stderr, "log: cannot write Log.txt in the working directory: %s\n", std::strerror(errno));
        told = true;
    }
}

void Log::write(std::string text)
{
    write(text.c_str());
}
