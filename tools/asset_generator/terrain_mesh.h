#pragma once

#include "ground_mesh.h"
#include "kxr_scene.h"
#include "terrain_field.h"

// The ground as a height-field mesh: fine over the stage, coarser towards the
// rim (see ground_mesh.h). Each triangle goes to the group of its surface.
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

TerrainGroups buildTerrain(const TerrainField& terrain, const TerrainMaterials& materials, const GroundMeshSpacing& spacing);

} // namespace assets
