// SceneMesh against the real (headless) GL context: textures and buffers as GL
// holds them, the texture state drawing leaves, pixels drawn, release and reload.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gpu/gl_extensions.h"
#include "platform/platform.h"
#include "scene/scene_mesh.h"
#include "support/scene_files.h"
#include "support/test_files.h"

using namespace testing_support;
using X = GlExtensions;

namespace {

const Rgb baseColours[2] = {{200, 10, 10}, {10, 200, 10}};
const Rgb normalColours[2] = {{10, 10, 200}, {200, 200, 10}};

// One triangle around the middle of the screen: positions +-50 become +-0.5.
std::string triangleGroup(int material)
{
    return "3 3 1\n-50 -50 0\n50 -50 0\n0 50 0\n0 0 0\n1 0 0\n0 0 1\n0 1 2\n0 1 2\n0 0 1\n"
        + std::to_string(material) + "\n";
}

std::string twoMaterials(int groupCount) { return "2\nTextures\\m1.bmp\nTextures\\m1n.bmp\nTextures\\m2.bmp\nTextures\\m2n.bmp\n" + std::to_string(groupCount) + "\n"; }

class SceneMeshGl : public testing::Test {
protected:
    SceneMeshGl() : dir_(makeTempDir("scene-gl")), cwd_(dir_)
    {
        writeDetailTextures(dir_);
        writeFile(dir_ / "Textures" / "m1.bmp", solidBmp24(baseColours[0]));
        writeFile(dir_ / "Textures" / "m1n.bmp", solidBmp24(normalColours[0]));
        writeFile(dir_ / "Textures" / "m2.bmp", solidBmp24(baseColours[1]));
        writeFile(dir_ / "Textures" / "m2n.bmp", solidBmp24(normalColours[1]));
        EXPECT_TRUE(X::loadMultitextureAndBuffers());
        getBufferSubData_ = reinterpret_cast<PFNGLGETBUFFERSUBDATAARBPROC>(platform::getGlProcAddress("glGetBufferSubDataARB"));
        getBufferParameter_ = reinterpret_cast<PFNGLGETBUFFERPARAMETERIVARBPROC>(platform::getGlProcAddress("glGetBufferParameterivARB"));
        isBuffer_ = reinterpret_cast<PFNGLISBUFFERARBPROC>(platform::getGlProcAddress("glIsBufferARB"));
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    ~SceneMeshGl() override
    {
        mesh_.deleteTextures();
        mesh_.deleteBuffers();
        for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB, GL_TEXTURE2_ARB, GL_TEXTURE3_ARB}) {
            X::glActiveTextureARB(unit);
            glBindTexture(GL_TEXTURE_2D, 0);
            glDisable(GL_TEXTURE_2D);
        }
        X::glActiveTextureARB(GL_TEXTURE0_ARB);
        X::glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        X::glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    bool load(const std::string& text)
    {
        writeFile(dir_ / "Scene" / "test.kxr", text);
        return mesh_.load("Scene/test.kxr");
    }

    static GLint integer(GLenum what)
    {
        GLint value = -1;
        glGetIntegerv(what, &value);
        return value;
    }

    static GLint boundTexture(GLenum unit)
    {
        X::glActiveTextureARB(unit);
        const GLint name = integer(GL_TEXTURE_BINDING_2D);
        X::glActiveTextureARB(GL_TEXTURE0_ARB);
        return name;
    }

    static bool textureEnabled(GLenum unit)
    {
        X::glActiveTextureARB(unit);
        const bool enabled = glIsEnabled(GL_TEXTURE_2D);
        X::glActiveTextureARB(GL_TEXTURE0_ARB);
        return enabled;
    }

    static Rgb textureColour(GLuint name)
    {
        std::array<uint8_t, 4 * 4 * 3> pixels{};
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);
        return {pixels[0], pixels[1], pixels[2]};
    }

    GLint bufferSize(GLuint buffer, GLenum target = GL_ARRAY_BUFFER_ARB)
    {
        GLint size = -1;
        X::glBindBufferARB(target, buffer);
        getBufferParameter_(target, GL_BUFFER_SIZE_ARB, &size);
        return size;
    }

    template <typename T>
    std::vector<T> bufferContent(GLuint buffer, size_t count, GLenum target = GL_ARRAY_BUFFER_ARB)
    {
        std::vector<T> content(count);
        X::glBindBufferARB(target, buffer);
        getBufferSubData_(target, 0, static_cast<GLsizeiptrARB>(count * sizeof(T)), content.data());
        return content;
    }

    void expectBufferHolds(GLuint buffer, const std::vector<Vec3>& expected)
    {
        EXPECT_EQ(bufferSize(buffer), GLint(expected.size() * 12));
        if (expected.empty())
            return;
        const std::vector<Vec3> held = bufferContent<Vec3>(buffer, expected.size());
        EXPECT_EQ(std::memcmp(held.data(), expected.data(), expected.size() * sizeof(Vec3)), 0);
    }

    std::vector<GLuint> allBuffers() const
    {
        std::vector<GLuint> names;
        for (const MeshGroup& group : mesh_.groups)
            names.insert(names.end(), std::begin(group.buffers), std::end(group.buffers));
        return names;
    }

    std::vector<GLuint> allTextures() const
    {
        std::vector<GLuint> names(mesh_.baseTextures);
        names.insert(names.end(), mesh_.normalTextures.begin(), mesh_.normalTextures.end());
        names.insert(names.end(), std::begin(mesh_.detailTextures), std::end(mesh_.detailTextures));
        return names;
    }

    // Renders the mesh alone with the fixed pipeline on black and returns the
    // colour at the middle of the screen.
    Rgb drawnCentre()
    {
        glViewport(0, 0, 256, 256);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 0, 0);
        mesh_.draw();
        glFinish();
        uint8_t pixel[4] = {};
        glReadPixels(128, 128, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        return {pixel[0], pixel[1], pixel[2]};
    }

    std::filesystem::path dir_;
    ScopedWorkingDirectory cwd_;
    SceneMesh mesh_;
    PFNGLGETBUFFERSUBDATAARBPROC getBufferSubData_ = nullptr;
    PFNGLGETBUFFERPARAMETERIVARBPROC getBufferParameter_ = nullptr;
    PFNGLISBUFFERARBPROC isBuffer_ = nullptr;
};

} // namespace

TEST_F(SceneMeshGl, LoadMakesTheDetailAndMaterialTexturesInFileOrder)
{
    ASSERT_TRUE(load(twoMaterials(0)));
    ASSERT_EQ(mesh_.materialCount(), 2);
    for (GLuint name : allTextures())
        EXPECT_TRUE(glIsTexture(name)) << name;
    EXPECT_EQ(textureColour(mesh_.detailTextures[0]), detailMapColour);
    EXPECT_EQ(textureColour(mesh_.detailTextures[1]), waterMapColour);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(textureColour(mesh_.baseTextures[i]), baseColours[i]);
        EXPECT_EQ(textureColour(mesh_.normalTextures[i]), normalColours[i]);
    }
}

TEST_F(SceneMeshGl, EveryGroupGetsSixBuffersHoldingItsArrays)
{
    // Group 0: one triangle. Group 1: two triangles, the second reusing the
    // first corner. Group 2: no triangles.
    const std::string text = twoMaterials(3) + triangleGroup(1)
        + "4 4 2\n0 0 0\n100 0 0\n0 100 0\n0 0 100\n0 0 0\n1 0 0\n0 0 1\n1 0 1\n"
          "0 1 2\n0 1 2\n0 0 1\n2\n0 2 3\n0 2 3\n1 0 0\n2\n"
        + "0 0 0\n";
    ASSERT_TRUE(load(text));
    ASSERT_EQ(mesh_.groupCount(), 3);

    const std::vector<GLuint> names = allBuffers();
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(isBuffer_(names[i])) << i;
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(names[i], names[j]);
    }

    for (const MeshGroup& group : mesh_.groups) {
        expectBufferHolds(group.buffers[MeshGroup::PositionBuffer], group.vertexPositions);
        expectBufferHolds(group.buffers[MeshGroup::TexCoordBuffer], group.vertexTexCoords);
        expectBufferHolds(group.buffers[MeshGroup::NormalBuffer], group.vertexNormals);
        expectBufferHolds(group.buffers[MeshGroup::TangentBuffer], group.vertexTangents);
        expectBufferHolds(group.buffers[MeshGroup::BinormalBuffer], group.vertexBinormals);
        const GLuint indexBuffer = group.buffers[MeshGroup::IndexBuffer];
        EXPECT_EQ(bufferSize(indexBuffer, GL_ELEMENT_ARRAY_BUFFER_ARB), GLint(group.indexCount() * 4));
        EXPECT_EQ(bufferContent<uint32_t>(indexBuffer, group.indexCount(), GL_ELEMENT_ARRAY_BUFFER_ARB), group.indices);
    }

    const MeshGroup& shared = mesh_.groups[1];
    EXPECT_EQ(shared.indices, (std::vector<uint32_t>{0, 1, 2, 0, 3, 4}));
    EXPECT_EQ(bufferContent<Vec3>(shared.buffers[MeshGroup::PositionBuffer], 5)[4].z, -1.0f);
    EXPECT_EQ(bufferContent<Vec3>(shared.buffers[MeshGroup::TexCoordBuffer], 5)[4].y, 1.0f);  // t = third number
    EXPECT_EQ(mesh_.groups[2].vertexCount(), 0u);
    EXPECT_EQ(bufferSize(mesh_.groups[2].buffers[MeshGroup::IndexBuffer], GL_ELEMENT_ARRAY_BUFFER_ARB), 0);

    // The empty group is passed over when drawing: the textured triangle of
    // group 0 is what shows.
    EXPECT_NE(drawnCentre(), (Rgb{0, 0, 0}));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SceneMeshGl, DrawBindsTheGroupMaterialAndLeavesTexturingOff)
{
    ASSERT_TRUE(load(twoMaterials(1) + triangleGroup(2)));

    // The pipeline's depth map on unit 2 is not touched.
    GLuint depthMap = 0;
    glGenTextures(1, &depthMap);
    X::glActiveTextureARB(GL_TEXTURE2_ARB);
    glBindTexture(GL_TEXTURE_2D, depthMap);
    glEnable(GL_TEXTURE_2D);
    X::glActiveTextureARB(GL_TEXTURE0_ARB);

    mesh_.draw();
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
    EXPECT_EQ(integer(GL_CLIENT_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
    EXPECT_EQ(boundTexture(GL_TEXTURE0_ARB), GLint(mesh_.baseTextures[1]));
    EXPECT_EQ(boundTexture(GL_TEXTURE1_ARB), GLint(mesh_.normalTextures[1]));
    EXPECT_EQ(boundTexture(GL_TEXTURE2_ARB), GLint(depthMap));
    EXPECT_EQ(boundTexture(GL_TEXTURE3_ARB), GLint(mesh_.detailTextures[0]));
    EXPECT_FALSE(textureEnabled(GL_TEXTURE0_ARB));
    EXPECT_FALSE(textureEnabled(GL_TEXTURE1_ARB));
    EXPECT_TRUE(textureEnabled(GL_TEXTURE2_ARB));
    EXPECT_FALSE(textureEnabled(GL_TEXTURE3_ARB));

    // No client array stays switched on; the buffers stay bound.
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
    for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB, GL_TEXTURE2_ARB}) {
        X::glClientActiveTextureARB(unit);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY)) << unit;
    }
    X::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    const MeshGroup& group = mesh_.groups[0];
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING_ARB), GLint(group.buffers[MeshGroup::BinormalBuffer]));
    EXPECT_EQ(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB), GLint(group.buffers[MeshGroup::IndexBuffer]));

    glDeleteTextures(1, &depthMap);
}

TEST_F(SceneMeshGl, TheFifthGroupSamplesTheWaterMapAndUntexturedGroupsKeepWhatIsBound)
{
    // Groups 0-3 material 1, group 4 (water) material 2, group 5 untextured.
    std::string text = twoMaterials(6);
    for (int g = 0; g < 4; ++g)
        text += triangleGroup(1);
    text += triangleGroup(2) + triangleGroup(100);
    ASSERT_TRUE(load(text));

    mesh_.draw();
    EXPECT_EQ(boundTexture(GL_TEXTURE0_ARB), GLint(mesh_.baseTextures[1]));
    EXPECT_EQ(boundTexture(GL_TEXTURE1_ARB), GLint(mesh_.normalTextures[1]));
    EXPECT_EQ(boundTexture(GL_TEXTURE3_ARB), GLint(mesh_.detailTextures[1]));
    for (const MeshTriangle& triangle : mesh_.groups[4].triangles) {
        EXPECT_EQ(triangle.normal.y, 1.0f);
        EXPECT_EQ(triangle.tangent.x, 1.0f);
        EXPECT_EQ(triangle.binormal.z, 1.0f);
    }
}

TEST_F(SceneMeshGl, AnUntexturedFirstGroupDrawsWithTheCallersTextures)
{
    ASSERT_TRUE(load(twoMaterials(1) + triangleGroup(100)));
    GLuint own[3] = {};
    glGenTextures(3, own);
    const GLenum units[3] = {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB, GL_TEXTURE3_ARB};
    for (int i = 0; i < 3; ++i) {
        X::glActiveTextureARB(units[i]);
        glBindTexture(GL_TEXTURE_2D, own[i]);
    }
    X::glActiveTextureARB(GL_TEXTURE0_ARB);

    // Nothing enabled: the triangle comes out in the current colour.
    EXPECT_EQ(drawnCentre(), (Rgb{255, 0, 0}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(boundTexture(units[i]), GLint(own[i]));
    glDeleteTextures(3, own);
}

TEST_F(SceneMeshGl, AnEmptySceneOnlySwitchesTexturingOff)
{
    ASSERT_TRUE(load("0\n0\n"));
    EXPECT_TRUE(glIsTexture(mesh_.detailTextures[0]));
    EXPECT_TRUE(glIsTexture(mesh_.detailTextures[1]));
    for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB, GL_TEXTURE3_ARB}) {
        X::glActiveTextureARB(unit);
        glEnable(GL_TEXTURE_2D);
    }
    X::glActiveTextureARB(GL_TEXTURE2_ARB);
    mesh_.draw();
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
    EXPECT_FALSE(textureEnabled(GL_TEXTURE0_ARB));
    EXPECT_FALSE(textureEnabled(GL_TEXTURE1_ARB));
    EXPECT_FALSE(textureEnabled(GL_TEXTURE3_ARB));
}

TEST_F(SceneMeshGl, ReleaseLeavesNoBufferOrTextureAndNothingToDraw)
{
    ASSERT_TRUE(load(twoMaterials(2) + triangleGroup(100) + triangleGroup(1)));
    const std::vector<GLuint> buffers = allBuffers();
    const std::vector<GLuint> textures = allTextures();
    // The textured group is drawn over the untextured one, its colour
    // modulated by the textures of units 0, 1 and 3.
    EXPECT_NE(drawnCentre(), (Rgb{0, 0, 0}));
    EXPECT_NE(drawnCentre(), (Rgb{255, 0, 0}));

    mesh_.deleteTextures();
    mesh_.deleteBuffers();
    for (GLuint name : buffers)
        EXPECT_FALSE(isBuffer_(name)) << name;
    for (GLuint name : textures)
        EXPECT_FALSE(glIsTexture(name)) << name;
    for (GLuint name : allBuffers())
        EXPECT_EQ(name, 0u);
    for (GLuint name : allTextures())
        EXPECT_EQ(name, 0u);

    EXPECT_EQ(drawnCentre(), (Rgb{0, 0, 0}));
}

TEST_F(SceneMeshGl, ReloadingReplacesTheWholeContent)
{
    ASSERT_TRUE(load(twoMaterials(2) + triangleGroup(1) + triangleGroup(2)));
    mesh_.deleteTextures();
    mesh_.deleteBuffers();

    ASSERT_TRUE(load("1\nTextures\\m2.bmp\nTextures\\m1n.bmp\n1\n" + triangleGroup(100)));
    EXPECT_EQ(mesh_.materialCount(), 1);
    EXPECT_EQ(mesh_.groupCount(), 1);
    EXPECT_EQ(textureColour(mesh_.baseTextures[0]), baseColours[1]);
    EXPECT_EQ(textureColour(mesh_.normalTextures[0]), normalColours[0]);
    EXPECT_TRUE(isBuffer_(mesh_.groups[0].buffers[MeshGroup::IndexBuffer]));
    EXPECT_EQ(drawnCentre(), (Rgb{255, 0, 0}));
}

TEST_F(SceneMeshGl, WithoutBufferSupportTheArraysAreBuiltButNothingIsDrawn)
{
    const auto genBuffers = X::glGenBuffersARB;
    X::glGenBuffersARB = nullptr;
    const bool loaded = load(twoMaterials(1) + triangleGroup(100));
    X::glGenBuffersARB = genBuffers;
    ASSERT_TRUE(loaded);
    EXPECT_EQ(mesh_.groups[0].vertexCount(), 3u);
    EXPECT_FALSE(mesh_.groups[0].hasBuffers());
    EXPECT_EQ(drawnCentre(), (Rgb{0, 0, 0}));

    // Without multitexture drawing touches no GL state at all.
    mesh_.deleteTextures();
    ASSERT_TRUE(load(twoMaterials(1) + triangleGroup(1)));
    const auto activeTexture = X::glActiveTextureARB;
    X::glActiveTextureARB(GL_TEXTURE2_ARB);
    glEnable(GL_TEXTURE_2D);
    X::glActiveTextureARB = nullptr;
    mesh_.draw();
    X::glActiveTextureARB = activeTexture;
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE2_ARB);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glDisable(GL_TEXTURE_2D);
    X::glActiveTextureARB(GL_TEXTURE0_ARB);
}
