#include <gtest/gtest.h>

#include "asset_generator_fixture.h"
#include "scene/kxr_parser.h"
#include "scene/tangent_space.h"

// The generated scenes as the demo's own scene reader takes them.
TEST(AssetGeneratorLoader, DemoReaderAcceptsEveryGeneratedScene)
{
    for (const char* path : {"Scene/Verdal4.kxr", "Scene/Verdal3Leafs.kxr", "Scene/Verdal3Reflection.kxr", "Scene/Verdal4meadow.kxr"}) {
        SCOPED_TRACE(path);
        const assets::GeneratedFile* file = asset_test::findFile(asset_test::defaultAssets(), path);
        ASSERT_NE(file, nullptr);
        SceneData data;
        std::string error;
        ASSERT_TRUE(parseKxr(file->bytes, path, data, error)) << error;
        const asset_test::LoadedScene expected = asset_test::loadScene(asset_test::defaultAssets(), path);
        ASSERT_EQ(data.groups.size(), expected.groups.size());
        for (size_t g = 0; g < data.groups.size(); ++g) {
            ASSERT_EQ(data.groups[g].triangles.size(), expected.groups[g].triangles.size());
            ASSERT_EQ(data.groups[g].positions.size(), expected.groups[g].positions.size());
        }
        computeTangents(data.groups);
        for (MeshGroup& group : data.groups) {
            group.buildVertexArrays();
            EXPECT_EQ(group.indexCount(), group.triangles.size() * 3);
        }
    }
}
