#include "reflection_clip.h"

#include <cmath>
#include <vector>

namespace assets {
namespace {

struct Corner {
    Vec3 position;
    Vec2 texCoord;
    int sourcePosition;  // -1 for a corner made by the cut
    int sourceTexCoord;
};

Corner cut(const Corner& a, const Corner& b)
{
    const float f = a.position.y / (a.position.y - b.position.y);
    Vec3 p = lerp(a.position, b.position, f);
    p.y = 0.0f;
    const Vec2 st{lerp(a.texCoord.s, b.texCoord.s, f), lerp(a.texCoord.t, b.texCoord.t, f)};
    return Corner{p, st, -1, -1};
}

// Twice the area of the triangle in texture space; zero would leave the
// loader no tangent direction.
float texArea(const Corner& a, const Corner& b, const Corner& c)
{
    return std::fabs((b.texCoord.s - a.texCoord.s) * (c.texCoord.t - a.texCoord.t) -
                     (c.texCoord.s - a.texCoord.s) * (b.texCoord.t - a.texCoord.t));
}

} // namespace

KxrGroup clipAboveWater(const KxrGroup& group)
{
    KxrGroup out;
    std::vector<int> keptPosition(group.positions.size(), -1);
    std::vector<int> keptTexCoord(group.texCoords.size(), -1);
    // A corner of the source keeps one index in the output; cut corners are new.
    auto indexIn = [](auto& values, std::vector<int>& kept, int source, const auto& value) {
        int* slot = source >= 0 ? &kept[static_cast<size_t>(source)] : nullptr;
        if (slot != nullptr && *slot >= 0) {
            return *slot;
        }
        values.push_back(value);
        const int index = static_cast<int>(values.size()) - 1;
        if (slot != nullptr) {
            *slot = index;
        }
        return index;
    };
    auto positionIndex = [&](const Corner& c) { return indexIn(out.positions, keptPosition, c.sourcePosition, c.position); };
    auto texCoordIndex = [&](const Corner& c) { return indexIn(out.texCoords, keptTexCoord, c.sourceTexCoord, c.texCoord); };
    auto emit = [&](const KxrTriangle& source, const Corner& a, const Corner& b, const Corner& c) {
        // Slivers left by the cut are dropped: too thin to see, and after the
        // file's rounding they could leave the loader no tangent direction.
        const float area = length(cross(b.position - a.position, c.position - a.position));
        if (area < 1e-4f || texArea(a, b, c) < 1e-4f) {
            return;
        }
        KxrTriangle t = source;
        t.positions = {positionIndex(a), positionIndex(b), positionIndex(c)};
        t.texCoords = {texCoordIndex(a), texCoordIndex(b), texCoordIndex(c)};
        out.triangles.push_back(t);
    };

    for (const KxrTriangle& t : group.triangles) {
        Corner corners[3];
        for (size_t k = 0; k < 3; ++k) {
            const int p = t.positions[k];
            const int q = t.texCoords[k];
            corners[k] = Corner{group.positions[static_cast<size_t>(p)], group.texCoords[static_cast<size_t>(q)], p, q};
        }
        // Walk the edges in order, keeping the winding: the polygon above water.
        std::vector<Corner> polygon;
        for (size_t k = 0; k < 3; ++k) {
            const Corner& a = corners[k];
            const Corner& b = corners[(k + 1) % 3];
            const bool aAbove = a.position.y >= 0.0f;
            const bool bAbove = b.position.y >= 0.0f;
            if (aAbove) {
                polygon.push_back(a);
            }
            if (aAbove != bAbove) {
                polygon.push_back(cut(a, b));
            }
        }
        for (size_t k = 1; k + 1 < polygon.size(); ++k) {
            emit(t, polygon[0], polygon[k], polygon[k + 1]);
        }
    }
    return out;
}

} // namespace assets
