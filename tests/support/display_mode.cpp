// display-mode.exe COMMAND LINE: prints the desktop's display mode ("before
// WIDTHxHEIGHT"), runs the command line and waits for it to end, then prints
// the mode again ("after WIDTHxHEIGHT"): the mode a program leaves behind, as
// any other program on that desktop sees it. Under Wine it also keeps a
// virtual desktop open across the program's end, which would close it.
#include <windows.h>

#include <cstdio>

namespace {

void printMode(const char* when)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode))
        std::printf("%s %lux%lu\n", when, mode.dmPelsWidth, mode.dmPelsHeight);
    else
        std::printf("%s unknown\n", when);
    std::fflush(stdout);
}

// The command line after this program's own name.
char* commandAfterOwnName()
{
    char* line = GetCommandLineA();
    const bool quoted = *line == '"';
    line += quoted ? 1 : 0;
    while (*line && *line != (quoted ? '"' : ' '))
        ++line;
    line += quoted && *line ? 1 : 0;
    while (*line == ' ')
        ++line;
    return line;
}

} // namespace

int main()
{
    printMode("before");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandAfterOwnName(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("display-mode: cannot start the command\n");
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    printMode("after");
    return static_cast<int>(status);
}
