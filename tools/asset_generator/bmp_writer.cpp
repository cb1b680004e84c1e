#include "bmp_writer.h"

#include <cstdint>

namespace assets {
namespace {

void put16(std::string& out, uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFFu));
    out.push_back(static_cast<char>((v >> 8) & 0xFFu));
}

void put32(std::string& out, uint32_t v)
{
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

} // namespace

std::string encodeBmp(const RgbImage& image)
{
    const uint32_t width = static_cast<uint32_t>(image.width);
    const uint32_t height = static_cast<uint32_t>(image.height);
    const uint32_t stride = (width * 3u + 3u) & ~3u;
    const uint32_t pixelBytes = stride * height;
    const uint32_t headerBytes = 14u + 40u;

    std::string out;
    out.reserve(headerBytes + pixelBytes);
    out += "BM";
    put32(out, headerBytes + pixelBytes);
    put32(out, 0);  // two reserved 16-bit fields
    put32(out, headerBytes);

    put32(out, 40);
    put32(out, width);
    put32(out, height);  // positive: bottom row first
    put16(out, 1);       // planes
    put16(out, 24);      // bits per pixel
    put32(out, 0);       // no compression
    put32(out, pixelBytes);
    put32(out, 2835);  // 72 dots per inch, in dots per metre
    put32(out, 2835);
    put32(out, 0);  // colours used
    put32(out, 0);  // colours important

    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* p = image.at(static_cast<int>(x), static_cast<int>(y));
            out.push_back(static_cast<char>(p[2]));
            out.push_back(static_cast<char>(p[1]));
            out.push_back(static_cast<char>(p[0]));
        }
        for (uint32_t pad = width * 3u; pad < stride; ++pad) {
            out.push_back('\0');
        }
    }
    return out;
}

} // namespace assets
