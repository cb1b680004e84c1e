// Loads that fail before any GL object is made, so no context is needed.
#include <filesystem>

#include <gtest/gtest.h>

#include "scene/scene_file_text.h"
#include "scene/scene_mesh.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

// A mesh with content of an earlier load (CPU side only).
SceneMesh filledMesh()
{
    SceneMesh mesh;
    mesh.groups.resize(3);
    mesh.groups[1].positions.resize(5);
    mesh.baseTextures = {7, 8};
    mesh.normalTextures = {9, 10};
    mesh.detailTextures[0] = 11;
    mesh.detailTextures[1] = 12;
    return mesh;
}

} // namespace

TEST(SceneMeshLoad, AMalformedFileEmptiesTheMeshWithOneLogEntry)
{
    auto dir = makeTempDir("scene-malformed");
    ScopedWorkingDirectory cwd(dir);
    writeFile("Scene/broken.kxr", "0\n1\n3 1 1\n0 0 0\n1 0 0\n0 1 0\n0 0 0\n0 1 9\n0 0 0\n0 1 0\n100\n");

    SceneMesh mesh = filledMesh();
    EXPECT_FALSE(mesh.load("Scene/broken.kxr"));
    EXPECT_EQ(readTextFile("Log.txt"),
              "Scene/broken.kxr: group 0, triangle 0 (line 8): position index 9 out of range (group has 3 positions)\n\n");
    EXPECT_EQ(mesh.groupCount(), 0);
    EXPECT_EQ(mesh.materialCount(), 0);
    EXPECT_EQ(mesh.detailTextures[0], 0u);
    EXPECT_EQ(mesh.detailTextures[1], 0u);

    // An empty file is malformed too: it has no material count.
    writeFile("Scene/empty.kxr", "");
    std::filesystem::remove("Log.txt");
    EXPECT_FALSE(mesh.load("Scene/empty.kxr"));
    EXPECT_EQ(readTextFile("Log.txt"), "Scene/empty.kxr: material count (line 1): the file ends where an integer belongs\n\n");
}

TEST(SceneMeshLoad, AnOversizedFileIsRefusedUnreadWithOneLogEntry)
{
    auto dir = makeTempDir("scene-huge");
    ScopedWorkingDirectory cwd(dir);
    writeFile("Scene/huge.kxr", "0 0");
    std::filesystem::resize_file("Scene/huge.kxr", MaxSceneFileBytes + 1);  // sparse: nothing is written

    SceneMesh mesh = filledMesh();
    EXPECT_FALSE(mesh.load("Scene/huge.kxr"));
    EXPECT_EQ(readTextFile("Log.txt"), "Scene/huge.kxr: the file is larger than 512 MiB\n\n");
    EXPECT_EQ(mesh.groupCount(), 0);
}
