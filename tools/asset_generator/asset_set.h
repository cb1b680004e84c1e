#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "camera_tours.h"
#include "kxr_scene.h"
#include "terrain_field.h"
#include "tree_layout.h"

// Everything the demo reads at start-up apart from the shaders, made from one
// seed: the same seed gives the same bytes.
namespace assets {

constexpr uint64_t kDefaultSeed = 1;

// Group layout of the main scene (and of its reflection version).
enum MainSceneGroup {
    kGroupGrass = 0,      // ground covered with grass
    kGroupShore = 1,      // sand around the lake, down into the water
    kGroupRock = 2,       // steep slopes and crags of the hills
    kGroupTrunks = 3,     // tree trunks and branches
    kGroupLakeBed = 4,    // the flat lake bottom: the loader gives group 4 a fixed upward basis
    kGroupBoulders = 5,   // rocks lying about, some half in the water
    kGroupOutcrops = 6,   // stones on the hillsides, a group of their own so that
                          // the boulders' box stays around the stage for culling
    kMainGroupCount = 7,
};

struct GeneratedFile {
    std::string path;  // relative to the run directory, '/' separated
    std::string bytes;
};

struct SceneSet {
    KxrScene main;
    KxrScene leaves;
    KxrScene reflection;
    KxrScene meadow;
    TourSet tours;
    std::vector<Tree> trees;
    std::vector<Boulder> boulders;
    std::vector<Boulder> outcrops;
};

SceneSet buildScenes(uint64_t seed);

// The ground the scenes of this seed are built on.
TerrainField sceneTerrain(uint64_t seed);

// Scene/*.kxr and Scene/c*wp.wps.
std::vector<GeneratedFile> generateSceneFiles(uint64_t seed);
// Textures/*.bmp and Textures/skies/*.bmp.
std::vector<GeneratedFile> generateTextureFiles(uint64_t seed);
std::vector<GeneratedFile> generateAssets(uint64_t seed);

// Writes every file under `directory`, creating folders as needed. On failure
// `error` names the file and the reason.
bool writeAssets(const std::vector<GeneratedFile>& files, const std::filesystem::path& directory, std::string& error);

} // namespace assets
