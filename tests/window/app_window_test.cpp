// Real windows with real GL contexts, in the virtual X server the test command
// starts (1280x1024, no window manager).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/app_window.h"
#include "gpu/gl_headers.h"
#include "support/test_files.h"
#include "window/test_window.h"

using namespace testing_support;

namespace {

class AppWindowTest : public TestWindow {
protected:
    void SetUp() override { prepareWindow(); }
};

} // namespace

TEST_F(AppWindowTest, WindowedCreationGivesTheRequestedClientAreaAndACurrentContext)
{
    keys_.keyDown[65] = 1;
    ASSERT_TRUE(createAppWindow(window_));
    EXPECT_NE(window_.hWnd, nullptr);
    EXPECT_NE(window_.hDC, nullptr);
    EXPECT_NE(window_.hGLRC, nullptr);
    EXPECT_EQ(window_.isVisible, 1);
    EXPECT_EQ(window_.isFullscreen, 0);
    EXPECT_EQ(keys_.keyDown[65], 0u);

    int width = 0, height = 0;
    platform::getClientSize(window_.hWnd, width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);

    // A compatibility context: the fixed-function matrices are there.
    ASSERT_NE(glGetString(GL_VERSION), nullptr);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    GLint depthBits = 0, stencilBits = 0, doubleBuffer = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    glGetIntegerv(GL_DOUBLEBUFFER, &doubleBuffer);
    EXPECT_GE(depthBits, 16);
    EXPECT_GE(stencilBits, 1);
    EXPECT_EQ(doubleBuffer, GL_TRUE);
    GLfloat projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5], 1.0f, 1e-6f);               // cot(45 degrees)
    EXPECT_NEAR(projection[0], 480.0f / 640.0f, 1e-6f);    // divided by the aspect
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    ASSERT_TRUE(destroyAppWindow(window_));
    EXPECT_EQ(window_.hWnd, nullptr);
    EXPECT_EQ(window_.hDC, nullptr);
    EXPECT_EQ(window_.hGLRC, nullptr);
    EXPECT_TRUE(recordedBoxes().empty());
}

TEST_F(AppWindowTest, RefusedDisplayModeFallsBackToAWindowWithOneMessage)
{
    window_.isFullscreen = 1;
    window_.width = 800;  // the virtual screen offers only its own size
    window_.height = 600;
    ASSERT_TRUE(createAppWindow(window_));
    EXPECT_EQ(window_.isFullscreen, 0);
    ASSERT_EQ(recordedBoxes().size(), 1u);
    EXPECT_EQ(recordedBoxes()[0].text, "Mode Switch Failed.\nRunning In Windowed Mode.");
    EXPECT_EQ(recordedBoxes()[0].caption, "Error");
    int width = 0, height = 0;
    platform::getClientSize(window_.hWnd, width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}

TEST_F(AppWindowTest, KeyMessagesWriteTheKeyArrayOnlyForCodesUpTo255)
{
    ASSERT_TRUE(createAppWindow(window_));
    EXPECT_EQ(handleWindowMessage(window_, WM_KEYDOWN, 81, 0), 0);
    EXPECT_EQ(keys_.keyDown[81], 1u);
    handleWindowMessage(window_, WM_KEYDOWN, 81, 0);  // auto-repeat
    EXPECT_EQ(keys_.keyDown[81], 1u);
    handleWindowMessage(window_, WM_KEYUP, 81, 0);
    EXPECT_EQ(keys_.keyDown[81], 0u);
    handleWindowMessage(window_, WM_KEYDOWN, 255, 0);
    EXPECT_EQ(keys_.keyDown[255], 1u);

    const KeyState before = keys_;
    handleWindowMessage(window_, WM_KEYDOWN, 256, 0);
    handleWindowMessage(window_, WM_KEYDOWN, 0x1000 + 81, 0);
    handleWindowMessage(window_, WM_SYSKEYDOWN, 27, 0);
    EXPECT_EQ(0, std::memcmp(&before, &keys_, sizeof keys_));
}
