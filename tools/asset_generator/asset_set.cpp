#include "asset_set.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "bmp_writer.h"
#include "foliage_textures.h"
#include "material_textures.h"
#include "random.h"
#include "reflection_clip.h"
#include "sky_textures.h"
#include "terrain_field.h"
#include "terrain_mesh.h"
#include "under_water_groups.h"
#include "vegetation_mesh.h"

namespace assets {
namespace {

constexpr int kSkySize = 512;

KxrMaterial material(const std::string& name)
{
    return KxrMaterial{sceneTextureName(name + ".bmp"), sceneTextureName(name + "_normal.bmp")};
}

enum MainMaterial { kGrassMaterial, kSandMaterial, kRockMaterial, kBarkMaterial, kLakeBedMaterial };

} // namespace

TerrainField sceneTerrain(uint64_t seed) { return TerrainField(streamSeed(seed, 1)); }

SceneSet buildScenes(uint64_t seed)
{
    SceneSet set;
    const TerrainField terrain = sceneTerrain(seed);
    set.tours = designTours(terrain);
    set.trees = placeTrees(terrain, set.tours, seed);
    set.boulders = placeBoulders(terrain, set.tours, set.trees, seed);
    set.outcrops = placeOutcrops(terrain, set.tours, set.trees, seed);

    set.main.materials = {material("grass_ground"), material("sand"), material("rock"), material("bark"), material("lakebed")};
    set.main.groups.resize(kMainGroupCount);
    TerrainGroups ground = buildTerrain(terrain, {kGrassMaterial, kSandMaterial, kRockMaterial, kLakeBedMaterial}, kSceneryGround);
    set.main.groups[kGroupGrass] = std::move(ground.grass);
    set.main.groups[kGroupShore] = std::move(ground.shore);
    set.main.groups[kGroupRock] = std::move(ground.rock);
    set.main.groups[kGroupLakeBed] = std::move(ground.lakeBed);
    addTrunks(set.main.groups[kGroupTrunks], kBarkMaterial, set.trees);
    addBoulders(set.main.groups[kGroupBoulders], kRockMaterial, set.boulders, streamSeed(seed, 2));
    addBoulders(set.main.groups[kGroupOutcrops], kRockMaterial, set.outcrops, streamSeed(seed, 4));

    // The mirrored scenery must not show what lies under the water: mirrored,
    // it would stick up through the surface.
    // Its ground is built on a coarser grid away from the lake: the water
    // shows it small and rippled, and each triangle costs the reflection pass.
    set.reflection.materials = set.main.materials;
    std::vector<KxrGroup> mirrored = set.main.groups;
    TerrainGroups coarseGround = buildTerrain(terrain, {kGrassMaterial, kSandMaterial, kRockMaterial, kLakeBedMaterial}, kMirroredGround);
    mirrored[kGroupGrass] = std::move(coarseGround.grass);
    mirrored[kGroupShore] = std::move(coarseGround.shore);
    mirrored[kGroupRock] = std::move(coarseGround.rock);
    mirrored[kGroupLakeBed] = std::move(coarseGround.lakeBed);
    // The stones on the hills would be a few rippled pixels in the mirror.
    mirrored[kGroupOutcrops] = KxrGroup{};
    for (const KxrGroup& group : mirrored) {
        set.reflection.groups.push_back(clipAboveWater(group));
    }

    // The mirrored scenery keeps group for group what the main scene has above
    // the water; of the parts wholly under it, nothing.
    for (int group : {kGroupShore, kGroupBoulders})
        if (separateUnderWater(set.main.groups, static_cast<size_t>(group)))
            set.reflection.groups.emplace_back();

    set.leaves.materials = {material("leaves"), material("leaves_dark")};
    set.leaves.groups.resize(2);
    const std::vector<Waypoint> tourViews = sampleTourViews(set.tours, kTourSamplesPerSegment);
    addLeafCrowns(set.leaves.groups[0], 0, set.trees, 0, tourViews);
    addLeafCrowns(set.leaves.groups[1], 1, set.trees, 1, tourViews);

    set.meadow.materials = {material("grass_blades"), material("grass_flowers")};
    set.meadow.groups.resize(2);
    std::vector<Boulder> stones = set.boulders;
    stones.insert(stones.end(), set.outcrops.begin(), set.outcrops.end());
    addMeadow(set.meadow.groups[0], 0, set.meadow.groups[1], 1, terrain, set.trees, stones, streamSeed(seed, 3));
    return set;
}

std::vector<GeneratedFile> generateSceneFiles(uint64_t seed)
{
    const SceneSet set = buildScenes(seed);
    return {
        {"Scene/Verdal4.kxr", serializeKxr(set.main)},
        {"Scene/Verdal3Leafs.kxr", serializeKxr(set.leaves)},
        {"Scene/Verdal3Reflection.kxr", serializeKxr(set.reflection)},
        {"Scene/Verdal4meadow.kxr", serializeKxr(set.meadow)},
        {"Scene/c1wp.wps", serializeWps(set.tours.grassAndTrees)},
        {"Scene/c2wp.wps", serializeWps(set.tours.waterAndShadows)},
        {"Scene/c3wp.wps", serializeWps(set.tours.depthOfFieldAndSky)},
    };
}

std::vector<GeneratedFile> generateTextureFiles(uint64_t seed)
{
    std::vector<GeneratedFile> files;
    auto add = [&](const std::string& name, const RgbImage& image) { files.push_back({"Textures/" + name, encodeBmp(image)}); };
    auto addPair = [&](const std::string& name, const TexturePair& pair) {
        add(name + ".bmp", pair.base);
        add(name + "_normal.bmp", pair.normal);
    };
    addPair("grass_ground", makeGrassGroundTexture(streamSeed(seed, 101)));
    addPair("sand", makeSandTexture(streamSeed(seed, 102)));
    addPair("rock", makeRockTexture(streamSeed(seed, 103)));
    addPair("bark", makeBarkTexture(streamSeed(seed, 104)));
    addPair("lakebed", makeLakeBedTexture(streamSeed(seed, 105)));
    addPair("leaves", makeLeafTexture(streamSeed(seed, 106), LeafStyle::Broadleaf));
    addPair("leaves_dark", makeLeafTexture(streamSeed(seed, 107), LeafStyle::DarkBroadleaf));
    addPair("grass_blades", makeGrassBladeTexture(streamSeed(seed, 108)));
    addPair("grass_flowers", makeFlowerGrassTexture(streamSeed(seed, 109)));
    add("detail1normal.bmp", makeDetailNormalMap(streamSeed(seed, 110)));
    add("water_normal3.bmp", makeWaterNormalMap(streamSeed(seed, 111)));
    add("crosshair.bmp", makeCrosshairTexture());
    const uint64_t skySeed = streamSeed(seed, 112);
    for (SkyMood mood : {SkyMood::ClearDay, SkyMood::WarmClouds}) {
        const char* suffix = mood == SkyMood::ClearDay ? "" : "_2";
        for (SkyFace face : kSkyFaces) {
            add(std::string("skies/zgsky") + skyFaceName(face) + suffix + ".bmp", makeSkyFace(skySeed, mood, face, kSkySize));
        }
    }
    return files;
}

std::vector<GeneratedFile> generateAssets(uint64_t seed)
{
    std::vector<GeneratedFile> files = generateSceneFiles(seed);
    std::vector<GeneratedFile> textures = generateTextureFiles(seed);
    files.insert(files.end(), std::make_move_iterator(textures.begin()), std::make_move_iterator(textures.end()));
    return files;
}

bool writeAssets(const std::vector<GeneratedFile>& files, const std::filesystem::path& directory, std::string& error)
{
    for (const GeneratedFile& file : files) {
        const std::filesystem::path path = directory / file.path;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) {
            error = "cannot create the folder for " + path.string() + ": " + ec.message();
            return false;
        }
        std::FILE* out = std::fopen(path.string().c_str(), "wb");
        if (out == nullptr) {
            error = "cannot open " + path.string() + " for writing: " + std::strerror(errno);
            return false;
        }
        const size_t written = std::fwrite(file.bytes.data(), 1, file.bytes.size(), out);
        const bool closed = std::fclose(out) == 0;
        if (written != file.bytes.size() || !closed) {
            error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}

} // namespace assets
