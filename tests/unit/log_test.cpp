#include <gtest/gtest.h>

#include "gpu/log.h"
#include "support/test_files.h"

using namespace testing_support;

TEST(Log, FirstWriteTruncatesThenEntriesAppendWithAnEmptyLineEach)
{
    auto dir = makeTempDir("log");
    ScopedWorkingDirectory cwd(dir);
    writeFile("Log.txt", "left over from the previous run\n");
    Log::startNewRun();

    Log::instance()->write("Initializing...");
    Log::instance()->write(std::string("two\nlines"));
    Log::instance()->write("");
    EXPECT_EQ(readTextFile("Log.txt"), "Initializing...\n\ntwo\nlines\n\n\n\n");

    // A log that cannot be opened (a directory stands in its place, which even
    // root cannot write as a file) is no reason to stop, nor to start over.
    const std::string before = readTextFile("Log.txt");
    {
        auto blocked = makeTempDir("log-blocked");
        std::filesystem::create_directory(blocked / "Log.txt");
        ScopedWorkingDirectory inside(blocked);
        Log::instance()->write("dropped");
    }
    Log::instance()->write("still appending");
    EXPECT_EQ(readTextFile("Log.txt"), before + "still appending\n\n");
}
