// SceneMesh against the real (headless) GL context: buffers and textures as GL
// holds them, the texture state drawing leaves, pixels drawn, release.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/projection.h"
#include "gpu/texture_units.h"
#include "scene/scene_mesh.h"
#include "scene/view_culling.h"
#include "support/bmp_writer.h"
#include "support/gl_state.h"
#include "support/test_files.h"

using namespace testing_support;
using X = GlExtensions;

namespace {

// One triangle around the middle of the screen: positions +-50 become +-0.5.
std::string triangleGroup(int material)
{
    return "3 3 1\n-50 -50 0\n50 -50 0\n0 50 0\n0 0 0\n1 0 0\n0 0 1\n0 1 2\n0 1 2\n0 0 1\n" + std::to_string(material) + "\n";
}
std::string twoMaterials(int groupCount)
{
    return "2\nTextures\\m1.bmp\nTextures\\m1n.bmp\nTextures\\m2.bmp\nTextures\\m2n.bmp\n" + std::to_string(groupCount) + "\n";
}

// The 2D texture bound on a unit, negative while texturing is still enabled there.
GLint boundTexture(GLenum unit)
{
    selectTextureUnit(unit);
    const GLint name = glInteger(GL_TEXTURE_BINDING_2D) * (glIsEnabled(GL_TEXTURE_2D) ? -1 : 1);
    selectTextureUnit(GL_TEXTURE0_ARB);
    return name;
}

class SceneMeshGl : public testing::Test {
protected:
    SceneMeshGl()
    {
        // The materials, and the detail and water normal maps every load reads.
        for (const char* name : {"m1", "m1n", "m2", "m2n", "detail1normal", "water_normal3"})
            writeFile(std::string("Textures/") + name + ".bmp", pictureBmp(4, 4, std::vector<Rgb>(16, {200, 10, 10})).bytes());
        EXPECT_TRUE(X::loadMultitextureAndBuffers());
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    ~SceneMeshGl() override
    {
        mesh_.deleteTextures();
        mesh_.deleteBuffers();
        for (GLenum unit : {GL_TEXTURE3_ARB, GL_TEXTURE2_ARB, GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
            bindOnUnit(unit, GL_TEXTURE_2D, 0);
            glDisable(GL_TEXTURE_2D);
        }
        X::glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        X::glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    bool load(const std::string& text)
    {
        writeFile("Scene/test.kxr", text);
        return mesh_.load("Scene/test.kxr");
    }

    // The mesh alone, fixed pipeline, on black, in red: the centre pixel.
    uint32_t drawnCentre()
    {
        glViewport(0, 0, 256, 256);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 0, 0);
        mesh_.draw();
        const auto pixel = readRgba(128, 128, 1, 1);
        return pixel[0] << 16 | pixel[1] << 8 | pixel[2];
    }

    ScopedWorkingDirectory cwd_{makeTempDir("scene-gl")};
    SceneMesh mesh_;
};

} // namespace

TEST_F(SceneMeshGl, EveryGroupGetsSixBuffersHoldingItsArraysAndEmptyGroupsArePassedOver)
{
    // Group 0: no triangles. Group 1: two triangles, the second reusing the first corner.
    ASSERT_TRUE(load(twoMaterials(2) + "0 0 0\n4 4 2\n-50 -50 0\n50 -50 0\n0 50 0\n0 0 100\n0 0 0\n1 0 0\n0 0 1\n1 0 1\n"
                     + "0 1 2\n0 1 2\n0 0 1\n2\n0 2 3\n0 2 3\n1 0 0\n2\n"));
    X::loadDiagnostics();
    const MeshGroup& group = mesh_.groups[1];
    EXPECT_EQ(group.vertexCount() + group.indexCount(), 0u) << "the driver holds the only copy";
    MeshGroup built = group;  // the file's records, kept: rebuild what was uploaded
    built.buildVertexArrays();
    EXPECT_EQ(built.indices, (std::vector<uint32_t>{0, 1, 2, 0, 3, 4}));
    const std::pair<const void*, size_t> arrays[] = {
        {built.vertexPositions.data(), 60}, {built.vertexTexCoords.data(), 60}, {built.vertexNormals.data(), 60},
        {built.vertexTangents.data(), 60}, {built.vertexBinormals.data(), 60}, {built.indices.data(), 24}};
    for (int b = 0; b < 6; ++b) {
        const GLenum target = b == MeshGroup::IndexBuffer ? GL_ELEMENT_ARRAY_BUFFER_ARB : GL_ARRAY_BUFFER_ARB;
        std::vector<uint8_t> content(arrays[b].second, 0xee);
        GLint size = -1;
        X::glBindBufferARB(target, group.buffers[b]);
        X::glGetBufferParameterivARB(target, GL_BUFFER_SIZE_ARB, &size);
        X::glGetBufferSubDataARB(target, 0, GLsizeiptrARB(content.size()), content.data());
        EXPECT_EQ(size, GLint(content.size())) << b;
        EXPECT_EQ(std::memcmp(content.data(), arrays[b].first, content.size()), 0) << b;
    }
    EXPECT_NE(drawnCentre(), 0u);
}

// Materials go to the base, normal and detail units, the water group (the
// fifth) takes the water map as detail, the shadow unit is left alone, and
// texturing ends switched off on every unit the mesh used. A group out of
// view (the fifth here) is not drawn but binds all the same.
TEST_F(SceneMeshGl, DrawBindsEachGroupsMaterialByRoleAndLeavesTexturingOff)
{
    std::string text = twoMaterials(5);
    for (int g = 0; g < 4; ++g)
        text += triangleGroup(1);
    const std::string outOfView = "3 3 1\n450 -50 0\n550 -50 0\n500 50 0\n0 0 0\n1 0 0\n0 0 1\n0 1 2\n0 1 2\n0 0 1\n2\n";
    ASSERT_TRUE(load(text + outOfView));
    GLuint depthMap = 0;
    glGenTextures(1, &depthMap);
    bindOnUnit(TextureUnit::Shadow, GL_TEXTURE_2D, depthMap);
    glEnable(GL_TEXTURE_2D);
    selectTextureUnit(TextureUnit::Base);

    mesh_.draw();
    EXPECT_EQ(glInteger(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
    EXPECT_EQ(boundTexture(TextureUnit::Base), GLint(mesh_.baseTextures[1]));
    EXPECT_EQ(boundTexture(TextureUnit::Normal), GLint(mesh_.normalTextures[1]));
    EXPECT_EQ(boundTexture(TextureUnit::Shadow), -GLint(depthMap));
    EXPECT_EQ(boundTexture(TextureUnit::Detail), GLint(mesh_.detailTextures[1]));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    glDeleteTextures(1, &depthMap);
}

// That release frees every object is the demo cycle's teardown check.
TEST_F(SceneMeshGl, AnUntexturedGroupDrawsWithTheCallersTexturesAndAReleasedMeshNothing)
{
    ASSERT_TRUE(load(twoMaterials(1) + triangleGroup(100)));
    GLuint own = 0;
    glGenTextures(1, &own);
    bindOnUnit(TextureUnit::Normal, GL_TEXTURE_2D, own);
    EXPECT_EQ(drawnCentre(), 0xff0000u) << "nothing enabled: the current colour";
    EXPECT_EQ(boundTexture(TextureUnit::Normal), GLint(own));
    glDeleteTextures(1, &own);
    mesh_.deleteTextures();
    mesh_.deleteBuffers();
    EXPECT_EQ(drawnCentre(), 0u);
}

// Culling works from matrices the program makes itself: they must be the
// ones GL makes from the same calls, or visible groups would be left out.
TEST(ViewCulling, TheProgramsMatricesAreTheOnesGlMakes)
{
    auto glMatrix = [](GLenum which) {
        float m[16];
        glGetFloatv(which, m);
        return Mat4::fromColumns(m);
    };
    auto expectSame = [](const Mat4& ours, const Mat4& gl, const char* what) {
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(ours.m[i], gl.m[i], 1e-5f * (1.0f + std::fabs(gl.m[i]))) << what << " element " << i;
    };
    for (const auto& [width, height] : {std::pair{800, 600}, {1600, 1200}, {300, 900}}) {
        reshapePerspective(width, height);
        expectSame(perspectiveProjection(width, height), glMatrix(GL_PROJECTION_MATRIX), "projection");
    }
    const struct {
        Vec3 eye, target;
    } views[] = {{{0.0f, 0.19f, 0.68f}, {0.3f, 0.1f, 1.5f}}, {{-3.0f, 12.0f, 9.0f}, {2.0f, 0.0f, -1.0f}}};
    for (const auto& v : views) {
        glLoadIdentity();
        gluLookAt(v.eye.x, v.eye.y, v.eye.z, v.target.x, v.target.y, v.target.z, 0.0, 1.0, 0.0);
        expectSame(lookAtMatrix(v.eye, v.target, {0.0f, 1.0f, 0.0f}), glMatrix(GL_MODELVIEW_MATRIX), "view");
        glScalef(1.0f, -1.0f, 1.0f);
        expectSame(lookAtMatrix(v.eye, v.target, {0.0f, 1.0f, 0.0f}) * scaleMatrix(1.0f, -1.0f, 1.0f),
                   glMatrix(GL_MODELVIEW_MATRIX), "mirrored view");
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, 256, 256);
}
