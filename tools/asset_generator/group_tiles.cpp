#include "group_tiles.h"

#include <algorithm>

namespace assets {

std::vector<KxrGroup> splitIntoTiles(const KxrGroup& group, int tiles)
{
    if (group.triangles.empty())
        return {group};
    tiles = std::max(tiles, 1);
    float minX = group.positions[0].x, maxX = minX, minZ = group.positions[0].z, maxZ = minZ;
    for (const Vec3& p : group.positions) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minZ = std::min(minZ, p.z);
        maxZ = std::max(maxZ, p.z);
    }
    auto cell = [tiles](float v, float lo, float hi) {
        const int c = hi > lo ? static_cast<int>((v - lo) / (hi - lo) * static_cast<float>(tiles)) : 0;
        return std::clamp(c, 0, tiles - 1);
    };

    struct Tile {
        KxrGroup group;
        std::vector<int> positionIndex;  // source index -> index in the tile, or -1
        std::vector<int> texCoordIndex;
    };
    std::vector<Tile> cells(static_cast<size_t>(tiles * tiles));
    for (const KxrTriangle& t : group.triangles) {
        Vec3 centre{};
        for (int p : t.positions)
            centre = centre + group.positions[static_cast<size_t>(p)] * (1.0f / 3.0f);
        Tile& tile = cells[static_cast<size_t>(cell(centre.z, minZ, maxZ) * tiles + cell(centre.x, minX, maxX))];
        if (tile.positionIndex.empty()) {
            tile.positionIndex.assign(group.positions.size(), -1);
            tile.texCoordIndex.assign(group.texCoords.size(), -1);
        }
        KxrTriangle copy = t;
        for (int k = 0; k < 3; ++k) {
            int& p = tile.positionIndex[static_cast<size_t>(t.positions[static_cast<size_t>(k)])];
            if (p < 0) {
                p = static_cast<int>(tile.group.positions.size());
                tile.group.positions.push_back(group.positions[static_cast<size_t>(t.positions[static_cast<size_t>(k)])]);
            }
            int& q = tile.texCoordIndex[static_cast<size_t>(t.texCoords[static_cast<size_t>(k)])];
            if (q < 0) {
                q = static_cast<int>(tile.group.texCoords.size());
                tile.group.texCoords.push_back(group.texCoords[static_cast<size_t>(t.texCoords[static_cast<size_t>(k)])]);
            }
            copy.positions[static_cast<size_t>(k)] = p;
            copy.texCoords[static_cast<size_t>(k)] = q;
        }
        tile.group.triangles.push_back(copy);
    }
    std::vector<KxrGroup> out;
    for (Tile& tile : cells)
        if (!tile.group.triangles.empty())
            out.push_back(std::move(tile.group));
    return out;
}

void tileGroupInPlace(std::vector<KxrGroup>& groups, size_t index, int tiles)
{
    std::vector<KxrGroup> parts = splitIntoTiles(groups[index], tiles);
    groups[index] = std::move(parts[0]);
    for (size_t i = 1; i < parts.size(); ++i)
        groups.push_back(std::move(parts[i]));
}

bool separateUnderWater(std::vector<KxrGroup>& groups, size_t index)
{
    const KxrGroup& group = groups[index];
    KxrGroup above = group, below = group;
    above.triangles.clear();
    below.triangles.clear();
    for (const KxrTriangle& t : group.triangles) {
        bool under = true;
        for (int p : t.positions)
            under = under && group.positions[static_cast<size_t>(p)].y < 0.0f;
        (under ? below : above).triangles.push_back(t);
    }
    if (below.triangles.empty() || above.triangles.empty())
        return false;
    // Each part keeps only the corners it uses.
    groups[index] = splitIntoTiles(above, 1)[0];
    groups.push_back(splitIntoTiles(below, 1)[0]);
    return true;
}

} // namespace assets
