#include <gtest/gtest.h>

#include "gpu/log.h"
#include "support/test_files.h"

using namespace testing_support;

// The log's first write of the process empties the file; every later one
// appends. The flag cannot be reset, so the whole story is one test run in
// order, in a directory of its own.
TEST(Log, FirstWriteTruncatesThenEntriesAppendWithAnEmptyLineEach)
{
    auto dir = makeTempDir("log");
    ScopedWorkingDirectory cwd(dir);
    writeFile("Log.txt", "left over from the previous run\n");

    Log::instance()->write("Initializing...");
    EXPECT_EQ(readTextFile("Log.txt"), "Initializing...\n\n");

    Log::instance()->write(std::string("Creating Render Targets..."));
    Log::instance()->write("");
    Log::instance()->write(std::string());
    Log::instance()->write("info log line\n");
    Log::instance()->write("two\nlines");
    EXPECT_EQ(readTextFile("Log.txt"),
              "Initializing...\n\n"
              "Creating Render Targets...\n\n"
              "\n\n"
              "\n\n"
              "info log line\n\n\n"
              "two\nlines\n\n");

    EXPECT_EQ(&*Log::instance(), Log::instance());

    // A log that cannot be opened (here a directory stands in its place, which
    // even root cannot write as a file) is no reason to stop.
    const std::string before = readTextFile("Log.txt");
    {
        auto blocked = makeTempDir("log-blocked");
        std::filesystem::create_directory(blocked / "Log.txt");
        ScopedWorkingDirectory inside(blocked);
        Log::instance()->write("dropped");
        EXPECT_TRUE(std::filesystem::is_directory("Log.txt"));
    }
    Log::instance()->write("still appending");
    EXPECT_EQ(readTextFile("Log.txt"), before + "still appending\n\n");
}
