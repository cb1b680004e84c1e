#include "kxr_scene.h"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace assets {
namespace {

// Fixed decimals; "-0.000" would read back the same but is written as "0.000".
void appendNumber(std::string& out, float value, int decimals)
{
    char buffer[48];
    int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
    if (n <= 0 || n >= static_cast<int>(sizeof buffer)) {
        out += '0';
        return;
    }
    std::string_view text(buffer, static_cast<size_t>(n));
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string_view::npos) {
        text.remove_prefix(1);
    }
    out += text;
}

void appendInt(std::string& out, long value) { out += std::to_string(value); }

void appendTriple(std::string& out, float a, float b, float c, int decimals)
{
    appendNumber(out, a, decimals);
    out += ' ';
    appendNumber(out, b, decimals);
    out += ' ';
    appendNumber(out, c, decimals);
    out += '\n';
}

} // namespace

std::string sceneTextureName(const std::string& fileName) { return "Textures\\" + fileName; }

std::string serializeKxr(const KxrScene& scene)
{
    std::string out;
    appendInt(out, static_cast<long>(scene.materials.size()));
    out += '\n';
    for (const KxrMaterial& m : scene.materials) {
        out += m.baseTexture;
        out += '\n';
        out += m.normalTexture;
        out += '\n';
    }
    appendInt(out, static_cast<long>(scene.groups.size()));
    out += '\n';
    for (const KxrGroup& g : scene.groups) {
        appendInt(out, static_cast<long>(g.positions.size()));
        out += ' ';
        appendInt(out, static_cast<long>(g.texCoords.size()));
        out += ' ';
        appendInt(out, static_cast<long>(g.triangles.size()));
        out += '\n';
        for (const Vec3& p : g.positions) {
            appendTriple(out, p.x * 100.0f, p.y * 100.0f, -p.z * 100.0f, 3);
        }
        for (const Vec2& st : g.texCoords) {
            appendTriple(out, st.s, 0.0f, st.t, 5);  // s, r, t
        }
        for (const KxrTriangle& t : g.triangles) {
            for (int k = 0; k < 3; ++k) {
                appendInt(out, t.positions[static_cast<size_t>(k)]);
                out += k < 2 ? ' ' : '\n';
            }
            for (int k = 0; k < 3; ++k) {
                appendInt(out, t.texCoords[static_cast<size_t>(k)]);
                out += k < 2 ? ' ' : '\n';
            }
            appendTriple(out, t.normal.x, t.normal.y, -t.normal.z, 5);
            appendInt(out, t.material + 1);
            out += '\n';
        }
    }
    return out;
}

int GroupBuilder::addPosition(Vec3 p)
{
    group_.positions.push_back(p);
    return static_cast<int>(group_.positions.size()) - 1;
}

int GroupBuilder::addTexCoord(Vec2 st)
{
    group_.texCoords.push_back(st);
    return static_cast<int>(group_.texCoords.size()) - 1;
}

void GroupBuilder::addTriangle(std::array<int, 3> positions, std::array<int, 3> texCoords, Vec3 normal)
{
    group_.triangles.push_back(KxrTriangle{positions, texCoords, normal, material_});
}

void GroupBuilder::addTriangle(std::array<int, 3> positions, std::array<int, 3> texCoords)
{
    const std::vector<Vec3>& p = group_.positions;
    const Vec3 n = faceNormal(p[static_cast<size_t>(positions[0])], p[static_cast<size_t>(positions[1])],
                              p[static_cast<size_t>(positions[2])]);
    addTriangle(positions, texCoords, n);
}

void GroupBuilder::addTriangleFacing(std::array<int, 3> positions, std::array<int, 3> texCoords, Vec3 outside, Vec3 normal)
{
    const std::vector<Vec3>& p = group_.positions;
    const Vec3 n = faceNormal(p[static_cast<size_t>(positions[0])], p[static_cast<size_t>(positions[1])],
                              p[static_cast<size_t>(positions[2])]);
    if (dot(n, outside) < 0.0f) {
        std::swap(positions[1], positions[2]);
        std::swap(texCoords[1], texCoords[2]);
    }
    addTriangle(positions, texCoords, normal);
}

} // namespace assets
