// Fuzz target for the scene reader and the steps after it that need no GL:
// tangent frames and vertex arrays. Beyond not crashing, each input must keep
// the reader's word: either an error message naming the file and no data, or
// data whose every index is in range and whose frames are finite.
#include <cmath>
#include <string_view>

#include "fuzz/scratch_file.h"
#include "scene/kxr_parser.h"
#include "scene/tangent_space.h"

using fuzz_support::require;

static bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SceneData scene;
    std::string error;
    if (!parseKxr(text, "fuzz.kxr", scene, error)) {
        require(error.rfind("fuzz.kxr: ", 0) == 0);
        require(scene.materials.empty() && scene.groups.empty());
        return 0;
    }
    require(error.empty());
    for (const MaterialNames& material : scene.materials)
        require(!material.base.empty() && material.base.size() <= MaxTextureNameLength && !material.normal.empty()
                && material.normal.size() <= MaxTextureNameLength);

    computeTangents(scene.groups);
    for (MeshGroup& group : scene.groups) {
        for (const Vec3& p : group.positions)
            require(finite(p));
        for (const MeshTriangle& triangle : group.triangles) {
            require(finite(triangle.normal) && finite(triangle.tangent) && finite(triangle.binormal));
            require(std::fabs(length(triangle.tangent) - 1.0f) < 1e-3f && std::fabs(length(triangle.binormal) - 1.0f) < 1e-3f);
            require(triangle.materialIndex == UntexturedMaterial
                    || (triangle.materialIndex >= 0 && size_t(triangle.materialIndex) < scene.materials.size()));
        }
        group.buildVertexArrays();
        require(group.indexCount() == 3 * group.triangles.size());
        require(group.vertexCount() <= group.indexCount());
        for (uint32_t index : group.indices)
            require(index < group.vertexCount());
    }
    return 0;
}
