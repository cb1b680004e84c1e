#include "under_water_groups.h"

namespace assets {
namespace {

// The triangles given, with only the corners and texture coordinates they use.
KxrGroup compacted(const KxrGroup& source, const std::vector<KxrTriangle>& triangles)
{
    KxrGroup out;
    std::vector<int> positionIndex(source.positions.size(), -1);
    std::vector<int> texCoordIndex(source.texCoords.size(), -1);
    for (KxrTriangle t : triangles) {
        for (size_t k = 0; k < 3; ++k) {
            int& p = positionIndex[static_cast<size_t>(t.positions[k])];
            if (p < 0) {
                p = static_cast<int>(out.positions.size());
                out.positions.push_back(source.positions[static_cast<size_t>(t.positions[k])]);
            }
            int& q = texCoordIndex[static_cast<size_t>(t.texCoords[k])];
            if (q < 0) {
                q = static_cast<int>(out.texCoords.size());
                out.texCoords.push_back(source.texCoords[static_cast<size_t>(t.texCoords[k])]);
            }
            t.positions[k] = p;
            t.texCoords[k] = q;
        }
        out.triangles.push_back(t);
    }
    return out;
}

} // namespace

bool separateUnderWater(std::vector<KxrGroup>& groups, size_t index)
{
    const KxrGroup& group = groups[index];
    std::vector<KxrTriangle> above, below;
    for (const KxrTriangle& t : group.triangles) {
        bool under = true;
        for (int p : t.positions)
            under = under && group.positions[static_cast<size_t>(p)].y < 0.0f;
        (under ? below : above).push_back(t);
    }
    if (below.empty() || above.empty())
        return false;
    KxrGroup underWater = compacted(group, below);
    groups[index] = compacted(group, above);
    groups.push_back(std::move(underWater));
    return true;
}

} // namespace assets
