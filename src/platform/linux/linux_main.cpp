#include <string>

#include "app/entry.h"

int main(int argc, char** argv)
{
    // The switch is matched against the whole command line after the program
    // name, so a second argument or a stray blank matches nothing.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return runApplication(commandLine.c_str());
}
