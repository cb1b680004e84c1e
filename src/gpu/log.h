#pragma once

#include <string>

// The diagnostic channel: short entries appended to "Log.txt" in the working
// directory. The first entry of a process empties the file; every entry is
// followed by an empty line. Failures to open or write are ignored on purpose:
// logging must never stop the demo.
class Log {
public:
    static Log* instance();

    void write(const char* text);
    void write(std::string text);

    // Test seam: the next write empties the file again, as the first write of
    // a new process would, so tests sharing one process can see truncation.
    static void startNewRun();

private:
    Log() = default;
};
