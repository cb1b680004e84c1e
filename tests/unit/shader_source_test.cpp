// Reading shader files: the size limit, line ends.
#include <gtest/gtest.h>

#include "gpu/shader_set.h"
#include "support/test_files.h"

using namespace testing_support;

TEST(ShaderSource, AFileOverTheLimitIsRefusedByNameAndWindowsLineEndsArriveAsUnixOnes)
{
    ScopedWorkingDirectory cwd(makeTempDir("shader-source"));
    for (size_t size : {100'000, 5'000'000})
        writeFile("Shader/huge" + std::to_string(size) + ".vsh", "// padding\n" + std::string(size - 12, 'x') + "}");
    EXPECT_FALSE(ShaderSet::readSource("Shader/huge100000.vsh").has_value());
    EXPECT_EQ(readTextFile("Log.txt"), "ERROR: Shaderfile larger than 99999 bytes: Shader/huge100000.vsh\n\n");
    EXPECT_FALSE(ShaderSet::readSource("Shader/huge5000000.vsh").has_value());

    writeFile("a.fsh", "void main()\r\n{\r\n}\r\nlone\rcr");
    EXPECT_EQ(ShaderSet::readSource("a.fsh").value_or("?"), "void main()\n{\n}\nlone\rcr");
    writeFile("empty.fsh", "");
    EXPECT_EQ(ShaderSet::readSource("empty.fsh").value_or("?"), "");
}
