// verdal-assets: writes the demo's scenes, camera paths and textures.
//   verdal-assets --out DIR [--seed N]
//   verdal-assets --icon FILE.svg
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "app_icon.h"
#include "asset_set.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: verdal-assets --out DIR [--seed N] | --icon FILE.svg\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const char* outDir = nullptr;
    uint64_t seed = assets::kDefaultSeed;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            outDir = argv[++i];
        } else if (std::strcmp(argv[i], "--icon") == 0 && i + 1 < argc && argc == 3) {
            std::ofstream icon(argv[++i], std::ios::binary);
            icon << assets::appIconSvg();
            if (!icon.flush()) {
                std::fprintf(stderr, "verdal-assets: cannot write %s\n", argv[i]);
                return 1;
            }
            return 0;
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            const char* text = argv[++i];
            const char* end = text + std::strlen(text);
            const auto result = std::from_chars(text, end, seed);
            if (result.ec != std::errc() || result.ptr != end) {
                std::fprintf(stderr, "verdal-assets: the seed must be a whole number from 0 to 2^64-1: %s\n", text);
                return 2;
            }
        } else {
            return usage();
        }
    }
    if (outDir == nullptr || *outDir == '\0') {
        return usage();
    }
    std::string error;
    if (!assets::writeAssets(assets::generateAssets(seed), outDir, error)) {
        std::fprintf(stderr, "verdal-assets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
