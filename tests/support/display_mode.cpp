// display-mode.exe PROGRAM [ARGS]: the desktop's display mode ("before WxH"),
// then the program run to its end, then the mode again ("after WxH"), as any
// other program sees it. Under Wine it also keeps a virtual desktop open
// across the program's end, which would otherwise close it.
#include <windows.h>

#include <cstdio>
#include <cstring>

static void printMode(const char* when)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    std::printf("%s %lux%lu\n", when, mode.dmPelsWidth, mode.dmPelsHeight);
    std::fflush(stdout);
}

int main(int argc, char** argv)
{
    printMode("before");
    // The command line after this program's own name, which the test gives unquoted.
    char* command = std::strstr(GetCommandLineA(), argc > 1 ? argv[1] : "");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (argc < 2 || !CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    printMode("after");
    return 0;
}
