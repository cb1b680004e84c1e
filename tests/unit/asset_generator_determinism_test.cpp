#include <gtest/gtest.h>

#include <filesystem>

#include "asset_generator_fixture.h"
#include "support/test_files.h"

namespace {

bool sameFiles(const std::vector<assets::GeneratedFile>& a, const std::vector<assets::GeneratedFile>& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].bytes != b[i].bytes) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(AssetGeneratorDeterminism, SameSeedGivesTheSameBytes)
{
    EXPECT_TRUE(sameFiles(assets::generateAssets(assets::kDefaultSeed), asset_test::defaultAssets()));
}

TEST(AssetGeneratorDeterminism, AnotherSeedGivesAnotherScene)
{
    const std::vector<assets::GeneratedFile> other = assets::generateSceneFiles(assets::kDefaultSeed + 1);
    const assets::GeneratedFile* main = asset_test::findFile(other, "Scene/Verdal4.kxr");
    ASSERT_NE(main, nullptr);
    EXPECT_NE(main->bytes, asset_test::findFile(asset_test::defaultAssets(), "Scene/Verdal4.kxr")->bytes);
}

TEST(AssetGeneratorDeterminism, SetHoldsEveryFileStartUpReads)
{
    const char* required[] = {
        "Scene/Verdal4.kxr", "Scene/Verdal3Leafs.kxr", "Scene/Verdal3Reflection.kxr", "Scene/Verdal4meadow.kxr",
        "Scene/c1wp.wps", "Scene/c2wp.wps", "Scene/c3wp.wps", "Textures/detail1normal.bmp", "Textures/water_normal3.bmp",
        "Textures/crosshair.bmp"};
    for (const char* path : required) {
        EXPECT_NE(asset_test::findFile(asset_test::defaultAssets(), path), nullptr) << path;
    }
    for (const char* face : {"Front", "Right", "Back", "Left", "Top", "Bottom"}) {
        for (const char* suffix : {"", "_2"}) {
            const std::string path = std::string("Textures/skies/zgsky") + face + suffix + ".bmp";
            EXPECT_NE(asset_test::findFile(asset_test::defaultAssets(), path), nullptr) << path;
        }
    }
}

TEST(AssetGeneratorDeterminism, WritesTheRunDirectoryLayout)
{
    const std::filesystem::path dir = testing_support::makeTempDir("assets");
    std::string error;
    ASSERT_TRUE(assets::writeAssets(asset_test::defaultAssets(), dir / "run", error)) << error;
    EXPECT_TRUE(std::filesystem::is_directory(dir / "run/Scene"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "run/Textures/skies"));
    for (const assets::GeneratedFile& f : asset_test::defaultAssets()) {
        ASSERT_EQ(testing_support::readFile(dir / "run" / f.path), f.bytes) << f.path;
    }
    std::filesystem::remove_all(dir);
}

TEST(AssetGeneratorDeterminism, ReportsAFolderItCannotCreate)
{
    const std::filesystem::path dir = testing_support::makeTempDir("assets-blocked");
    testing_support::writeFile(dir / "run", "a file where the folder should go");
    std::string error;
    EXPECT_FALSE(assets::writeAssets({{"Scene/c1wp.wps", "0 0 0 1 1 1\n"}}, dir / "run", error));
    EXPECT_NE(error.find("Scene"), std::string::npos) << error;
    std::filesystem::remove_all(dir);
}
