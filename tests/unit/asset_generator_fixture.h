#pragma once

// Shared by the asset generator tests: the generated set of the default seed
// (made once per test run), and readers that take the files the way the demo
// reads them.

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "asset_set.h"

namespace asset_test {

inline const std::vector<assets::GeneratedFile>& defaultAssets()
{
    static const std::vector<assets::GeneratedFile> files = assets::generateAssets(assets::kDefaultSeed);
    return files;
}

inline const assets::GeneratedFile* findFile(const std::vector<assets::GeneratedFile>& files, std::string_view path)
{
    for (const assets::GeneratedFile& f : files) {
        if (f.path == path) {
            return &f;
        }
    }
    return nullptr;
}

// Whitespace-separated tokens, as formatted input reads them.
class Tokens {
public:
    explicit Tokens(std::string_view text) : text_(text) {}

    bool next(std::string_view& token)
    {
        while (pos_ < text_.size() && isSpace(text_[pos_])) {
            ++pos_;
        }
        if (pos_ >= text_.size()) {
            return false;
        }
        const size_t start = pos_;
        while (pos_ < text_.size() && !isSpace(text_[pos_])) {
            ++pos_;
        }
        token = text_.substr(start, pos_ - start);
        return true;
    }

    bool readInt(int& value) { return readNumber(value); }
    bool readFloat(float& value) { return readNumber(value); }

    bool atEnd()
    {
        std::string_view t;
        return !next(t);
    }

private:
    template <typename T>
    bool readNumber(T& value)
    {
        std::string_view t;
        if (!next(t)) {
            return false;
        }
        const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
        return r.ec == std::errc() && r.ptr == t.data() + t.size();
    }

    static bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
    std::string_view text_;
    size_t pos_ = 0;
};

struct LoadedTriangle {
    std::array<int, 3> positions{};
    std::array<int, 3> texCoords{};
    Vec3 normal;
    int material = 0;  // 0-based; 99 for the file's 100
};

struct LoadedGroup {
    std::vector<Vec3> positions;
    std::vector<std::array<float, 3>> texCoords;  // s, t, r
    std::vector<LoadedTriangle> triangles;
};

struct LoadedScene {
    std::vector<std::array<std::string, 2>> materials;
    std::vector<LoadedGroup> groups;
};

// Reads a .kxr text with the loader's conversions: positions times 0.01 with z
// negated, normals with z negated, texture coordinates given as s r t,
// material numbers 1-based. Returns false on anything malformed or left over.
inline bool parseKxr(std::string_view text, LoadedScene& scene, std::string& error)
{
    Tokens in(text);
    int materialCount = 0;
    if (!in.readInt(materialCount) || materialCount < 0 || materialCount > 1000) {
        error = "material count";
        return false;
    }
    for (int i = 0; i < materialCount; ++i) {
        std::string_view base;
        std::string_view normal;
        if (!in.next(base) || !in.next(normal)) {
            error = "material names";
            return false;
        }
        scene.materials.push_back({std::string(base), std::string(normal)});
    }
    int groupCount = 0;
    if (!in.readInt(groupCount) || groupCount < 0 || groupCount > 1000) {
        error = "group count";
        return false;
    }
    for (int g = 0; g < groupCount; ++g) {
        int p = 0;
        int t = 0;
        int n = 0;
        if (!in.readInt(p) || !in.readInt(t) || !in.readInt(n) || p < 0 || t < 0 || n < 0) {
            error = "group counts of group " + std::to_string(g);
            return false;
        }
        LoadedGroup group;
        for (int i = 0; i < p; ++i) {
            float x = 0;
            float y = 0;
            float z = 0;
            if (!in.readFloat(x) || !in.readFloat(y) || !in.readFloat(z)) {
                error = "position";
                return false;
            }
            group.positions.push_back(Vec3{x * 0.01f, y * 0.01f, -z * 0.01f});
        }
        for (int i = 0; i < t; ++i) {
            float a = 0;
            float b = 0;
            float c = 0;
            if (!in.readFloat(a) || !in.readFloat(b) || !in.readFloat(c)) {
                error = "texture coordinate";
                return false;
            }
            group.texCoords.push_back({a, c, b});
        }
        for (int i = 0; i < n; ++i) {
            LoadedTriangle tri;
            for (int& v : tri.positions) {
                if (!in.readInt(v)) {
                    error = "position index";
                    return false;
                }
            }
            for (int& v : tri.texCoords) {
                if (!in.readInt(v)) {
                    error = "texture index";
                    return false;
                }
            }
            float nx = 0;
            float ny = 0;
            float nz = 0;
            int material = 0;
            if (!in.readFloat(nx) || !in.readFloat(ny) || !in.readFloat(nz) || !in.readInt(material)) {
                error = "normal or material";
                return false;
            }
            tri.normal = Vec3{nx, ny, -nz};
            tri.material = material - 1;
            group.triangles.push_back(tri);
        }
        scene.groups.push_back(std::move(group));
    }
    if (!in.atEnd()) {
        error = "text after the last group";
        return false;
    }
    return true;
}

inline LoadedScene loadScene(const std::vector<assets::GeneratedFile>& files, std::string_view path)
{
    LoadedScene scene;
    const assets::GeneratedFile* file = findFile(files, path);
    std::string error;
    if (file == nullptr || !parseKxr(file->bytes, scene, error)) {
        return LoadedScene{};
    }
    return scene;
}

inline std::vector<float> parseNumbers(std::string_view text)
{
    std::vector<float> numbers;
    Tokens in(text);
    float v = 0;
    while (in.readFloat(v)) {
        numbers.push_back(v);
    }
    return numbers;
}

// The waypoints of a .wps text, eye then target, six numbers each.
inline std::vector<std::array<Vec3, 2>> parseWaypoints(std::string_view text)
{
    const std::vector<float> n = parseNumbers(text);
    std::vector<std::array<Vec3, 2>> waypoints;
    for (size_t i = 0; i + 6 <= n.size(); i += 6) {
        waypoints.push_back({Vec3{n[i], n[i + 1], n[i + 2]}, Vec3{n[i + 3], n[i + 4], n[i + 5]}});
    }
    return waypoints;
}

inline uint32_t read32(const std::string& bytes, size_t offset)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset])) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + 3])) << 24;
}

inline uint16_t read16(const std::string& bytes, size_t offset)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8);
}

// A 24-bit bitmap's pixels, red-green-blue, bottom row first; empty when the
// file is not a plain 24-bit bottom-up bitmap.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3u]; }
};

inline Picture decodePicture(const std::string& bytes)
{
    Picture p;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || read32(bytes, 14) != 40 || read16(bytes, 28) != 24) {
        return p;
    }
    const int width = static_cast<int>(read32(bytes, 18));
    const int height = static_cast<int>(read32(bytes, 22));
    const size_t stride = (static_cast<size_t>(width) * 3u + 3u) & ~size_t{3};
    const size_t offset = read32(bytes, 10);
    if (width <= 0 || height <= 0 || offset + stride * static_cast<size_t>(height) > bytes.size()) {
        return p;
    }
    p.width = width;
    p.height = height;
    p.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3u);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t src = offset + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3u;
            uint8_t* dst = &p.rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3u];
            dst[0] = static_cast<uint8_t>(bytes[src + 2]);
            dst[1] = static_cast<uint8_t>(bytes[src + 1]);
            dst[2] = static_cast<uint8_t>(bytes[src]);
        }
    }
    return p;
}

inline Picture picture(std::string_view path)
{
    const assets::GeneratedFile* f = findFile(defaultAssets(), path);
    return f != nullptr ? decodePicture(f->bytes) : Picture{};
}

} // namespace asset_test
