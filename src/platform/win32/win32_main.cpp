#include <windows.h>

#include "app/entry.h"

// The system hands over the command line without the program's name, exactly
// the text the resolution switch is matched against.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    return runApplication(commandLine);
}
