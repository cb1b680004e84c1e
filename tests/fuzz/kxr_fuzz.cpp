// Fuzz target for the scene reader and the steps after it that need no GL:
// tangent frames and vertex arrays. Beyond not crashing, each input must keep
// the reader's word: either an error message naming the file and no data, or
// data whose every index is in range and whose frames are finite. The
// input's first token is also read as a number and must give what strtof
// gives, or be refused exactly when strtof refuses it.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>
#include <string_view>

#include "scene/kxr_parser.h"
#include "scene/tangent_space.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void checkNumberAgainstStrtof(std::string_view text)
{
    const size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos)
        return;
    const size_t end = text.find_first_of(" \t\n\v\f\r", start);
    const std::string token(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (token.size() > 400 || std::memchr(token.data(), '\0', token.size()))
        return;

    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    char* parsedEnd = nullptr;
    const float expected = strtof_l(token.c_str(), &parsedEnd, cLocale);
    const bool acceptable = parsedEnd == token.c_str() + token.size() && std::isfinite(expected);

    SceneData scene;
    std::string error;
    const bool read = parseKxr("0 1 0 1 0\n" + token + " 0 0", "number.kxr", scene, error);
    require(read == acceptable);
    if (read) {
        const float actual = scene.groups[0].texCoords[0].x;
        require(std::memcmp(&actual, &expected, sizeof actual) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkNumberAgainstStrtof(text);
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
            require(std::fabs(length(triangle.tangent) - 1.0f) < 1e-3f);
            require(std::fabs(length(triangle.binormal) - 1.0f) < 1e-3f);
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
