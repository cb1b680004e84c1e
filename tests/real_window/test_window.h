#pragma once

// A window record as the entry point prepares it, for tests that open real
// windows in the virtual X server the test command starts.
#include <gtest/gtest.h>

#include "app/app_window.h"
#include "support/test_files.h"

class TestWindow : public testing::Test {
protected:
    // Registers the class once per process and fills the record for a
    // 640x480 window; the window itself is left to the test.
    void prepareWindow()
    {
        testing_support::recordMessageBoxes();
        static const bool registered = registerWindowClass(app_);
        ASSERT_TRUE(registered);
        window_ = AppWindow{};
        keys_ = KeyState{};
        window_.keys = &keys_;
        window_.app = &app_;
        window_.title = appWindowTitle;
        window_.width = 640;
        window_.height = 480;
        window_.bitsPerPixel = 32;
        appRunning = 1;
    }
    void TearDown() override { destroyAppWindow(window_); }

    static inline AppInfo app_{"KXOpenGLDemoTest"};
    AppWindow window_{};
    KeyState keys_{};
};
