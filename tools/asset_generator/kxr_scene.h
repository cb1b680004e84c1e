#pragma once

#include <array>
#include <string>
#include <vector>

#include "vector_math.h"

// A scene in the demo's .kxr geometry format, held in world units: y up, the
// water surface at y = 0, triangles counter-clockwise seen from their front.
// Writing converts to the file's convention (positions times 100 with z
// negated, normals with z negated, texture coordinates as s r t) so that the
// loader's conversion gives back exactly these world values.
namespace assets {

// Material numbers in memory are 0-based like the loader's; this one is
// written as 100 and draws with whatever textures are bound.
constexpr int kUntexturedMaterial = 99;

struct KxrMaterial {
    std::string baseTexture;    // as written in the file, e.g. "Textures\\grass_ground.bmp"
    std::string normalTexture;
};

struct KxrTriangle {
    std::array<int, 3> positions{};
    std::array<int, 3> texCoords{};
    Vec3 normal;
    int material = 0;
};

struct KxrGroup {
    std::vector<Vec3> positions;
    std::vector<Vec2> texCoords;
    std::vector<KxrTriangle> triangles;
};

struct KxrScene {
    std::vector<KxrMaterial> materials;
    std::vector<KxrGroup> groups;
};

// The texture name as the scene file spells it: "Textures\<name>".
std::string sceneTextureName(const std::string& fileName);

std::string serializeKxr(const KxrScene& scene);

// Fills one group; every group holds one material, since the loader takes a
// group's material from its first triangle.
class GroupBuilder {
public:
    GroupBuilder(KxrGroup& group, int material) : group_(group), material_(material) {}

    int addPosition(Vec3 p);
    int addTexCoord(Vec2 st);
    // Counter-clockwise seen from the side `normal` points to.
    void addTriangle(std::array<int, 3> positions, std::array<int, 3> texCoords, Vec3 normal);
    // The face normal from the winding.
    void addTriangle(std::array<int, 3> positions, std::array<int, 3> texCoords);
    // A triangle turned so its front faces `outside`, the given normal kept as is.
    void addTriangleFacing(std::array<int, 3> positions, std::array<int, 3> texCoords, Vec3 outside, Vec3 normal);

    const KxrGroup& group() const { return group_; }

private:
    KxrGroup& group_;
    int material_;
};

} // namespace assets
