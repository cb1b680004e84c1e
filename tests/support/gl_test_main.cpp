// Runs the GL tests inside one headless context (EGL, Mesa's llvmpipe), which
// stays current for the whole run. Tests clean up the GL objects they make.
#include <cstdio>

#include <gtest/gtest.h>

#include "platform/headless_context.h"
#include "support/test_files.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    platform::HeadlessContext* context = platform::createHeadlessContext(256, 256);
    if (!context) {
        std::fprintf(stderr, "no headless GL context: the GL tests cannot run\n");
        return 1;
    }
    testing_support::recordMessageBoxes();
    const int result = RUN_ALL_TESTS();
    platform::destroyHeadlessContext(context);
    return result;
}
