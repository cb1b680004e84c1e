#pragma once

#include <array>
#include <vector>

#include "terrain_field.h"

// Where the ground's corners lie and how they join into triangles, before
// any triangle is given a surface. Over the stage the corners form a grid
// (finest across the lake and its shore); around it, square rings of corners
// whose spacing grows with the distance from the stage, so that the hills are
// covered by triangles about as long as they are wide.
namespace assets {

// Grid lines along one axis of the stage from low to high: finest across the
// lake and its shore (where the surfaces meet), fine elsewhere.
struct GridSpacing {
    float low;
    float high;
    float shoreLow;
    float shoreHigh;
    float stageStep;
    float shoreStep;
};
std::vector<float> terrainGridLines(const GridSpacing& spacing);

struct GroundMesh {
    std::vector<Vec3> points;                   // on the terrain field
    std::vector<std::array<int, 3>> triangles;  // counter-clockwise seen from above
};

struct GroundMeshSpacing {
    float stageStep;    // grid spacing over the stage away from the lake
    float shoreStep;    // across the lake and its shore
    float ringGrowth;   // how much the ring spacing grows per unit of distance from the stage
};

// The stage is the square kStageHalfSize around the stage's middle; the rings
// reach out to kGroundHalfSize.
constexpr float kStageHalfSize = 3.6f;
constexpr float kGroundHalfSize = 14.0f;

// The scenery's own ground.
constexpr GroundMeshSpacing kSceneryGround{0.12f, 0.075f, 0.05f};
// The mirrored copy is seen only small and rippled in the water and can do
// with a coarser grid away from the lake; across the lake and its shore the
// grid stays as fine, so the banks and their mirror images meet at the water
// line.
constexpr GroundMeshSpacing kMirroredGround{0.24f, 0.075f, 0.08f};

GroundMesh buildGroundMesh(const TerrainField& terrain, const GroundMeshSpacing& spacing);

} // namespace assets
