#include <gtest/gtest.h>

#include "app/entry.h"
#include "camera/mouse_screen.h"

namespace {
struct Case {
    const char* commandLine;
    int width, height;
};

void resetToDefaults()
{
    screenWidth = mouseScreenWidth = 1024;
    screenHeight = mouseScreenHeight = 768;
}
} // namespace

TEST(ResolutionSwitch, OnlyTheExactTextsPickAResolution)
{
    const Case cases[] = {
        {"", 1024, 768},
        {"-1024x768", 1024, 768},
        {"-800x600", 800, 600},
        {"-1600x1200", 1600, 1200},
        {"-800X600", 1024, 768},
        {"-640x480", 1024, 768},
        {"-800x600 ", 1024, 768},
        {" -800x600", 1024, 768},
        {"-800x600 -1600x1200", 1024, 768},
        {"800x600", 1024, 768},
        {"-800x6000", 1024, 768},
    };
    for (const Case& c : cases) {
        resetToDefaults();
        applyResolutionSwitch(c.commandLine);
        EXPECT_EQ(screenWidth, c.width) << '"' << c.commandLine << '"';
        EXPECT_EQ(screenHeight, c.height) << '"' << c.commandLine << '"';
        EXPECT_EQ(mouseScreenWidth, c.width) << '"' << c.commandLine << '"';
        EXPECT_EQ(mouseScreenHeight, c.height) << '"' << c.commandLine << '"';
    }
    resetToDefaults();
    applyResolutionSwitch(nullptr);
    EXPECT_EQ(screenWidth, 1024);
}
