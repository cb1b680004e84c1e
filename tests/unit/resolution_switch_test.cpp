#include <gtest/gtest.h>

#include "app/entry.h"
#include "camera/mouse_screen.h"

// Only the exact texts pick a resolution, for the screen and the mouse alike;
// anything else leaves the default.
TEST(ResolutionSwitch, OnlyTheExactTextsPickAResolution)
{
    const struct {
        const char* commandLine;
        int width, height;
    } cases[] = {
        {"", 1024, 768}, {"-1024x768", 1024, 768}, {"-800x600", 800, 600}, {"-1600x1200", 1600, 1200},
        {"-800X600", 1024, 768}, {"-640x480", 1024, 768}, {"-800x600 ", 1024, 768}, {" -800x600", 1024, 768},
        {"-800x600 -1600x1200", 1024, 768}, {"800x600", 1024, 768}, {"-800x6000", 1024, 768}, {nullptr, 1024, 768},
    };
    for (const auto& c : cases) {
        screenWidth = mouseScreenWidth = 1024;
        screenHeight = mouseScreenHeight = 768;
        applyResolutionSwitch(c.commandLine);
        EXPECT_EQ((std::vector<int>{screenWidth, screenHeight, mouseScreenWidth, mouseScreenHeight}),
                  (std::vector<int>{c.width, c.height, c.width, c.height})) << (c.commandLine ? c.commandLine : "null");
    }
}
