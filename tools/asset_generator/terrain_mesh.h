#pragma once

#include "kxr_scene.h"
#include "terrain_field.h"

// The ground as a height-field mesh: fine over the stage, coarser towards the
// rim. Each triangle goes to the group of its surface.
namespace assets {

struct TerrainGroups {
    KxrGroup grass;
    KxrGroup shore;    // sand around and under the water's edge
    KxrGroup rock;     // steep slopes and crags
    KxrGroup lakeBed;  // the flat bottom of the lake, exactly at the bed level
};

struct TerrainMaterials {
    int grass;
    int sand;
    int rock;
    int lakeBed;
};

// Grid lines along one axis from low to high: finest across the lake and its
// shore (where the surfaces meet), fine over the stage, growing towards the rim.
struct GridSpacing {
    float low;
    float high;
    float stageLow;
    float stageHigh;
    float shoreLow;
    float shoreHigh;
    float stageStep;
    float shoreStep;
};
std::vector<float> terrainGridLines(const GridSpacing& spacing);

// stageStep is the grid spacing over the stage away from the lake (the
// scenery's own 0.12; the mirrored copy, seen only rippled in the water, can
// do with a coarser one); across the lake and its shore the grid stays fine,
// so the banks and their mirror images meet at the water line.
TerrainGroups buildTerrain(const TerrainField& terrain, const TerrainMaterials& materials, float stageStep = 0.12f);

} // namespace assets
