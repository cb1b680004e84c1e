// Loads that fail before any GL object is made, so no context is needed: the
// mesh is emptied of an earlier load's content, with one log entry.
#include <gtest/gtest.h>

#include "scene/scene_file_text.h"
#include "scene/scene_mesh.h"
#include "support/test_files.h"

using namespace testing_support;

TEST(SceneMeshLoad, AMalformedOrOversizedFileEmptiesTheMeshWithOneLogEntry)
{
    ScopedWorkingDirectory cwd(makeTempDir("scene-malformed"));
    writeFile("Scene/broken.kxr", "0\n1\n3 1 1\n0 0 0\n1 0 0\n0 1 0\n0 0 0\n0 1 9\n0 0 0\n0 1 0\n100\n");
    writeFile("Scene/empty.kxr", "");
    writeFile("Scene/huge.kxr", "0 0");
    std::filesystem::resize_file("Scene/huge.kxr", MaxSceneFileBytes + 1);  // sparse: nothing is written
    const std::pair<const char*, const char*> cases[] = {
        {"Scene/broken.kxr", "group 0, triangle 0 (line 8): position index 9 out of range (group has 3 positions)"},
        {"Scene/empty.kxr", "material count (line 1): the file ends where an integer belongs"},
        {"Scene/huge.kxr", "the file is larger than 512 MiB"},
    };
    for (const auto& [file, message] : cases) {
        SceneMesh mesh;
        mesh.groups.resize(3);
        mesh.groups[1].positions.resize(5);
        mesh.baseTextures = {7, 8};
        mesh.normalTextures = {9, 10};
        mesh.detailTextures[0] = 11;
        mesh.detailTextures[1] = 12;
        std::filesystem::remove("Log.txt");
        EXPECT_FALSE(mesh.load(file));
        EXPECT_EQ(readTextFile("Log.txt"), file + std::string(": ") + message + "\n\n");
        EXPECT_TRUE(mesh.groupCount() == 0 && mesh.materialCount() == 0) << file;
        EXPECT_TRUE(mesh.detailTextures[0] == 0 && mesh.detailTextures[1] == 0) << file;
    }
}
