// Reading shader files: the size limit, missing and unreadable files, line ends.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "gpu/shader_set.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

// Each test runs in a fresh directory, so the log holds only its own entries.
std::string logged() { return readTextFile("Log.txt"); }

class ShaderSourceTest : public testing::Test {
protected:
    std::filesystem::path dir_ = makeTempDir("shader-source");
    ScopedWorkingDirectory cwd_{dir_};
};

// A valid-looking text of exactly `size` bytes whose last byte is '}'.
std::string textOfSize(std::size_t size)
{
    std::string text = "// padding\n";
    text.append(size - text.size() - 1, 'x');
    text.push_back('}');
    return text;
}

TEST_F(ShaderSourceTest, FileOverTheLimitIsRefusedByName)
{
    writeFile("Shader/huge.vsh", textOfSize(100'000));
    EXPECT_FALSE(ShaderSet::readSource("Shader/huge.vsh").has_value());
    EXPECT_EQ(logged(), "ERROR: Shaderfile larger than 99999 bytes: Shader/huge.vsh\n\n");

    writeFile("Shader/huger.vsh", textOfSize(5'000'000));
    EXPECT_FALSE(ShaderSet::readSource("Shader/huger.vsh").has_value());
}

TEST_F(ShaderSourceTest, WindowsLineEndsArriveAsUnixOnes)
{
    writeFile("a.fsh", "void main()\r\n{\r\n}\r\nlone\rcr");
    EXPECT_EQ(ShaderSet::readSource("a.fsh").value_or("?"), "void main()\n{\n}\nlone\rcr");
    writeFile("empty.fsh", "");
    EXPECT_EQ(ShaderSet::readSource("empty.fsh").value_or("?"), "");
}

} // namespace
