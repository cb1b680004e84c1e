// Scene parsing speed: generates a .kxr scene of about 50 MB and the same
// geometry as a Wavefront OBJ file in a temporary directory, then times, side
// by side in one run:
//   - parseKxr on the text in memory (parse only),
//   - reading the .kxr file and parsing it,
//   - the whole CPU side of SceneMesh::load (read, parse, tangents, vertex arrays),
//   - Assimp loading the OBJ file (and the OBJ text from memory).
// The rows that read the file start from nothing each run, as a start-up
// does: a new text buffer and a new scene, whose pages are touched afresh.
// Usage: kxr_parse_bench [megabytes, default 50]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include "scene/kxr_parser.h"
#include "scene/scene_file_text.h"
#include "scene/tangent_space.h"

namespace {

// Deterministic values, so every run times the same text.
struct Random {
    uint64_t state = 0x9E3779B97F4A7C15ull;
    uint32_t next()
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 33);
    }
    double unit() { return next() / 2147483648.0; }                    // [0, 1)
    double between(double low, double high) { return low + (high - low) * unit(); }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
};

struct Texts {
    std::string kxr;
    std::string obj;
    size_t triangles = 0;
};

void append(std::string& out, const char* format, double a, double b, double c)
{
    char line[128];
    const int n = std::snprintf(line, sizeof line, format, a, b, c);
    out.append(line, static_cast<size_t>(n));
}

void appendInts(std::string& out, const char* format, long a, long b, long c)
{
    char line[128];
    const int n = std::snprintf(line, sizeof line, format, a, b, c);
    out.append(line, static_cast<size_t>(n));
}

// Groups of a few thousand triangles, as an exporter writes them: six decimals
// for every number, positions in centimetres over a 200 m scene.
Texts generate(size_t targetBytes)
{
    Texts texts;
    Random random;
    const int materials = 8;
    const int perGroup = 3000;  // triangles
    // About 87 bytes of .kxr per triangle with its share of positions and
    // texture coordinates.
    const int groups = std::max<int>(1, static_cast<int>(targetBytes / (perGroup * 87)));

    texts.kxr = std::to_string(materials) + "\n";
    for (int m = 1; m <= materials; ++m)
        texts.kxr += "Textures\\material" + std::to_string(m) + ".bmp\nTextures\\material" + std::to_string(m)
            + "_normal.bmp\n";
    texts.kxr += std::to_string(groups) + "\n";

    long objPositions = 0, objTexCoords = 0, objNormals = 0;
    for (int g = 0; g < groups; ++g) {
        const int positions = perGroup / 2 + 2;
        const int texCoords = perGroup / 2 + 2;
        texts.kxr += std::to_string(positions) + " " + std::to_string(texCoords) + " " + std::to_string(perGroup) + "\n";
        texts.obj += "g group" + std::to_string(g) + "\n";
        for (int i = 0; i < positions; ++i) {
            const double x = random.between(-10000, 10000), y = random.between(-500, 3000), z = random.between(-10000, 10000);
            append(texts.kxr, "%.6f %.6f %.6f\n", x, y, z);
            append(texts.obj, "v %.6f %.6f %.6f\n", x, y, z);
        }
        for (int i = 0; i < texCoords; ++i) {
            const double s = random.unit(), t = random.unit();
            append(texts.kxr, "%.6f %.6f %.6f\n", s, 0.0, t);  // s, r, t
            append(texts.obj, "vt %.6f %.6f %.6f\n", s, t, 0.0);
        }
        const int material = 1 + g % materials;
        for (int i = 0; i < perGroup; ++i) {
            const long p[3] = {random.below(positions), random.below(positions), random.below(positions)};
            const long q[3] = {random.below(texCoords), random.below(texCoords), random.below(texCoords)};
            const double nx = random.between(-1, 1), ny = random.between(0.2, 1), nz = random.between(-1, 1);
            appendInts(texts.kxr, "%ld %ld %ld\n", p[0], p[1], p[2]);
            appendInts(texts.kxr, "%ld %ld %ld\n", q[0], q[1], q[2]);
            append(texts.kxr, "%.6f %.6f %.6f\n", nx, ny, nz);
            texts.kxr += std::to_string(material) + "\n";

            append(texts.obj, "vn %.6f %.6f %.6f\n", nx, ny, nz);
            ++objNormals;
            char face[160];
            const int n = std::snprintf(face, sizeof face, "f %ld/%ld/%ld %ld/%ld/%ld %ld/%ld/%ld\n",
                                        objPositions + p[0] + 1, objTexCoords + q[0] + 1, objNormals,
                                        objPositions + p[1] + 1, objTexCoords + q[1] + 1, objNormals,
                                        objPositions + p[2] + 1, objTexCoords + q[2] + 1, objNormals);
            texts.obj.append(face, static_cast<size_t>(n));
        }
        objPositions += positions;
        objTexCoords += texCoords;
        texts.triangles += perGroup;
    }
    return texts;
}

struct Timing {
    double wall = 1e30;  // seconds
    double cpu = 1e30;   // seconds of processor time of the whole process
};

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Best of `runs`: the figures least disturbed by the machine. Processor time
// is reported next to wall time because other work may share the machine.
Timing best(int runs, const std::function<void()>& work)
{
    Timing timing;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processCpuSeconds();
        work();
        const double cpuStop = processCpuSeconds();
        const auto stop = std::chrono::steady_clock::now();
        timing.wall = std::min(timing.wall, std::chrono::duration<double>(stop - start).count());
        timing.cpu = std::min(timing.cpu, cpuStop - cpuStart);
    }
    return timing;
}

void report(const char* what, Timing timing, double megabytes)
{
    std::printf("%-46s wall %7.1f ms", what, timing.wall * 1e3);
    if (megabytes > 0)
        std::printf(" %5.0f MB/s", megabytes / timing.wall);
    else
        std::printf("           ");
    std::printf("   cpu %7.1f ms", timing.cpu * 1e3);
    if (megabytes > 0)
        std::printf(" %5.0f MB/s", megabytes / timing.cpu);
    std::printf("\n");
}

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fclose(file);
}

size_t assimpFaces(const aiScene* scene)
{
    size_t faces = 0;
    for (unsigned i = 0; scene && i < scene->mNumMeshes; ++i)
        faces += scene->mMeshes[i]->mNumFaces;
    return faces;
}

} // namespace

int main(int argc, char** argv)
{
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 50.0;
    const size_t target = static_cast<size_t>(megabytes * 1e6);

    const Texts texts = generate(target);
    std::string pattern = (std::filesystem::temp_directory_path() / "verdal-kxr-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::fprintf(stderr, "cannot make a temporary directory\n");
        return 1;
    }
    const std::filesystem::path dir = pattern;
    const std::filesystem::path kxrPath = dir / "scene.kxr";
    const std::filesystem::path objPath = dir / "scene.obj";
    writeText(kxrPath, texts.kxr);
    writeText(objPath, texts.obj);

    const double kxrMB = texts.kxr.size() / 1e6;
    std::printf("scene: %zu triangles; .kxr %.1f MB, .obj %.1f MB\n", texts.triangles, kxrMB, texts.obj.size() / 1e6);

    SceneData data;
    std::string error;
    const Timing parseOnly = best(5, [&] {
        if (!parseKxr(texts.kxr, "scene.kxr", data, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(1);
        }
    });
    size_t parsedTriangles = 0;
    for (const MeshGroup& group : data.groups)
        parsedTriangles += group.triangles.size();

    const Timing readAndParse = best(5, [&] {
        std::string text;
        SceneData fresh;
        readSceneFileText(kxrPath.c_str(), text);
        parseKxr(text, "scene.kxr", fresh, error);
    });

    const Timing cpuLoad = best(3, [&] {
        std::string text;
        SceneData fresh;
        readSceneFileText(kxrPath.c_str(), text);
        parseKxr(text, "scene.kxr", fresh, error);
        computeTangents(fresh.groups);
        for (MeshGroup& group : fresh.groups)
            group.buildVertexArrays();
    });

    size_t assimpTriangles = 0;
    const Timing assimpFile = best(3, [&] {
        Assimp::Importer importer;
        assimpTriangles = assimpFaces(importer.ReadFile(objPath.string(), 0));
    });
    const Timing assimpMemory = best(3, [&] {
        Assimp::Importer importer;
        importer.ReadFileFromMemory(texts.obj.data(), texts.obj.size(), 0, "obj");
    });

    std::printf("triangles read: kxr %zu, assimp %zu\n", parsedTriangles, assimpTriangles);
    report("kxr parse (text in memory)", parseOnly, kxrMB);
    report("kxr read file + parse", readAndParse, kxrMB);
    report("kxr read + parse + tangents + vertex arrays", cpuLoad, kxrMB);
    report("assimp OBJ ReadFile", assimpFile, 0);
    report("assimp OBJ ReadFileFromMemory", assimpMemory, 0);
    std::printf("speed-up over assimp (wall / cpu): parse vs memory %.1fx / %.1fx, read+parse vs file %.1fx / %.1fx, "
                "full CPU load vs file %.1fx / %.1fx\n",
                assimpMemory.wall / parseOnly.wall, assimpMemory.cpu / parseOnly.cpu, assimpFile.wall / readAndParse.wall,
                assimpFile.cpu / readAndParse.cpu, assimpFile.wall / cpuLoad.wall, assimpFile.cpu / cpuLoad.cpu);

    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return parsedTriangles == texts.triangles ? 0 : 1;
}
