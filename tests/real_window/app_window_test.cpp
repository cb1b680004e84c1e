// Real windows with real GL contexts, in the virtual X server the test command
// starts (1280x1024, no window manager).
#include <gtest/gtest.h>

#include <cstring>

#include "gpu/gl_headers.h"
#include "support/gl_state.h"
#include "real_window/test_window.h"

using namespace testing_support;

namespace {

class AppWindowTest : public TestWindow {
protected:
    void SetUp() override { prepareWindow(); }
    std::vector<int> clientSize()
    {
        int width = 0, height = 0;
        platform::getClientSize(window_.hWnd, width, height);
        return {width, height};
    }
};

} // namespace

TEST_F(AppWindowTest, WindowedCreationGivesTheRequestedClientAreaAndACurrentContext)
{
    keys_.keyDown[65] = 1;
    ASSERT_TRUE(createAppWindow(window_));
    EXPECT_TRUE(window_.hWnd && window_.hDC && window_.hGLRC);
    EXPECT_TRUE(window_.isVisible == 1 && window_.isFullscreen == 0);
    EXPECT_EQ(keys_.keyDown[65], 0u);
    EXPECT_EQ(clientSize(), (std::vector<int>{640, 480}));

    EXPECT_TRUE(glInteger(GL_DEPTH_BITS) >= 16 && glInteger(GL_STENCIL_BITS) >= 1 && glInteger(GL_DOUBLEBUFFER) == GL_TRUE);

    ASSERT_TRUE(destroyAppWindow(window_));
    EXPECT_TRUE(!window_.hWnd && !window_.hDC && !window_.hGLRC);
    EXPECT_TRUE(recordedBoxes().empty());
}

TEST_F(AppWindowTest, KeyMessagesWriteTheKeyArrayOnlyForCodesUpTo255)
{
    ASSERT_TRUE(createAppWindow(window_));
    EXPECT_EQ(handleWindowMessage(window_, WM_KEYDOWN, 81, 0), 0);
    handleWindowMessage(window_, WM_KEYDOWN, 81, 0);  // auto-repeat
    EXPECT_EQ(keys_.keyDown[81], 1u);
    handleWindowMessage(window_, WM_KEYUP, 81, 0);
    handleWindowMessage(window_, WM_KEYDOWN, 255, 0);
    EXPECT_TRUE(keys_.keyDown[81] == 0 && keys_.keyDown[255] == 1);

    const KeyState before = keys_;
    handleWindowMessage(window_, WM_KEYDOWN, 256, 0);
    handleWindowMessage(window_, WM_KEYDOWN, 0x1000 + 81, 0);
    handleWindowMessage(window_, WM_SYSKEYDOWN, 27, 0);
    EXPECT_EQ(0, std::memcmp(&before, &keys_, sizeof keys_));
}
