// verdal-probe: questions about the demo's ground, answered from the scene
// file the demo reads, for choosing camera poses to render.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "ground_probe.h"
#include "view_sampler.h"

namespace {

const char* const usage =
    "usage: verdal-probe [--data DIR] ground X,Z [X,Z ...]\n"
    "       verdal-probe [--data DIR] views [--views N] [--seed S]\n"
    "Reads DIR/Scene/Verdal4.kxr (default DIR: .) with the demo's scene reader.\n"
    "\n"
    "  ground  prints \"X,Z: Y\", the height of the highest surface under each\n"
    "          point (\"none\" beyond the scene's edge)\n"
    "  views   prints N (default 200) seeded random camera poses\n"
    "          \"EX,EY,EZ,TX,TY,TZ\", one a line, for verdal-bench --view: eyes\n"
    "          over the valley and 4 units beyond its edge, 1 mm to 30 m above\n"
    "          the ground (log-uniform), any heading, pitch within free fly's\n"
    "          limits (-1.4 to 1.0 radians); the same seed (default 1) gives\n"
    "          the same poses\n";

template <typename T>
bool parseWhole(const char* text, const char* end, T& value)
{
    auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end;
}

bool parsePoint(const char* text, float& x, float& z)
{
    const char* comma = std::strchr(text, ',');
    return comma && parseWhole(text, comma, x) && parseWhole(comma + 1, text + std::strlen(text), z);
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "verdal-probe: %s\n%s", message.c_str(), usage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int next = 1;
    std::string dataDir = ".";
    if (next + 1 < argc && std::strcmp(argv[next], "--data") == 0) {
        dataDir = argv[next + 1];
        next += 2;
    }
    if (next >= argc)
        return usageError("ground or views?");
    const std::string command = argv[next++];
    if (command != "ground" && command != "views")
        return usageError("unknown command " + command);

    int count = 200;
    uint64_t seed = 1;
    for (int i = next; command == "views" && i < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        const char* end = value + std::strlen(value);
        if (name == "--views" && parseWhole(value, end, count) && count >= 1)
            continue;
        if (name == "--seed" && parseWhole(value, end, seed))
            continue;
        return usageError("views takes --views N (N at least 1) and --seed S, not " + name + " " + value);
    }
    if (command == "ground" && next >= argc)
        return usageError("ground wants at least one point X,Z");
    for (int i = next; command == "ground" && i < argc; ++i) {
        float x = 0, z = 0;
        if (!parsePoint(argv[i], x, z))
            return usageError(std::string("ground wants points X,Z, not ") + argv[i]);
    }

    GroundProbe ground;
    std::string error;
    const std::string sceneFile = dataDir + "/Scene/Verdal4.kxr";
    if (!ground.load(sceneFile.c_str(), error)) {
        std::fprintf(stderr, "verdal-probe: %s\n", error.c_str());
        return 1;
    }
    if (command == "views") {
        for (const SampledView& v : sampleViews(ground, count, seed))
            std::printf("%.6f,%.6f,%.6f,%.6f,%.6f,%.6f\n", v.eye.x, v.eye.y, v.eye.z, v.target.x, v.target.y, v.target.z);
        return 0;
    }
    for (int i = next; i < argc; ++i) {
        float x = 0, z = 0;
        parsePoint(argv[i], x, z);
        if (const auto height = ground.heightAt(x, z))
            std::printf("%s: %.5f\n", argv[i], *height);
        else
            std::printf("%s: none\n", argv[i]);
    }
    return 0;
}
