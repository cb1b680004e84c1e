// How fast loadDibImage decodes 24-bit bitmaps, next to stb_image on the same
// files (both read the file themselves; files are in the page cache after a
// warm-up). Prints file megabytes and pictures per second, median of the runs.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <unistd.h>

#include <stb_image.h>

#include "image/dib_image.h"

namespace {

void put(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A bottom-up 24-bit bitmap with a busy pattern, so neither decoder meets a
// flat picture it could take a shortcut on.
std::string makeBmp24(int width, int height)
{
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::string out = "BM";
    put(out, 54 + stride * height, 4);
    put(out, 0, 4);
    put(out, 54, 4);
    put(out, 40, 4);
    put(out, width, 4);
    put(out, height, 4);
    put(out, 1, 2);
    put(out, 24, 2);
    put(out, 0, 4);
    put(out, stride * height, 4);
    put(out, 2835, 4);
    put(out, 2835, 4);
    put(out, 0, 4);
    put(out, 0, 4);
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            out.push_back(static_cast<char>(x + (seed >> 28)));
            out.push_back(static_cast<char>(y + (seed >> 24)));
            out.push_back(static_cast<char>((x ^ y) + (seed >> 30)));
        }
        out.append(stride - width * 3, '\0');
    }
    return out;
}

template <typename Decode>
double medianSeconds(int runs, Decode decode)
{
    decode();  // warm-up: page cache, allocator
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        decode();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool sameAsStb(const DibImage& ours, const unsigned char* stb)
{
    // stb returns the top row first; ours is bottom row first.
    const size_t row = static_cast<size_t>(ours.width) * 3;
    for (int y = 0; y < ours.height; ++y) {
        if (std::memcmp(ours.data.data() + row * y, stb + row * (ours.height - 1 - y), row) != 0)
            return false;
    }
    return true;
}

} // namespace

int main()
{
    char dir[] = "/tmp/verdal-bmp-bench-XXXXXX";
    if (!mkdtemp(dir)) {
        std::perror("mkdtemp");
        return 1;
    }
    std::printf("%-11s %10s %12s %10s %12s %10s %8s\n", "picture", "file MB", "ours MB/s", "ours img/s",
                "stb MB/s", "stb img/s", "speedup");
    int status = 0;
    const int sizes[][2] = {{512, 512}, {1024, 1024}, {2048, 2048}};
    for (const auto& size : sizes) {
        const std::string path = std::string(dir) + "/bench" + std::to_string(size[0]) + ".bmp";
        const std::string bytes = makeBmp24(size[0], size[1]);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            std::perror(path.c_str());
            return 1;
        }
        std::fclose(file);

        auto check = loadDibImage(path.c_str());
        int w = 0, h = 0, channels = 0;
        unsigned char* stbPixels = stbi_load(path.c_str(), &w, &h, &channels, 3);
        if (!check || !stbPixels || w != check->width || h != check->height || !sameAsStb(*check, stbPixels)) {
            std::fprintf(stderr, "%s: the decoders disagree\n", path.c_str());
            status = 1;
        }
        stbi_image_free(stbPixels);

        const int runs = size[0] >= 2048 ? 15 : 40;
        const double ours = medianSeconds(runs, [&] { auto image = loadDibImage(path.c_str()); });
        const double stb = medianSeconds(runs, [&] {
            int ww = 0, hh = 0, nn = 0;
            stbi_image_free(stbi_load(path.c_str(), &ww, &hh, &nn, 3));
        });
        const double megabytes = static_cast<double>(bytes.size()) / 1e6;
        const std::string name = std::to_string(size[0]) + "x" + std::to_string(size[1]);
        std::printf("%-11s %10.1f %12.0f %10.1f %12.0f %10.1f %7.2fx\n", name.c_str(), megabytes, megabytes / ours,
                    1 / ours, megabytes / stb, 1 / stb, stb / ours);
        std::remove(path.c_str());
    }
    rmdir(dir);
    return status;
}
