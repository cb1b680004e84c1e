#include "image_file.h"

#include <cstdint>
#include <fstream>
#include <iterator>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>
// Reference pictures come from anywhere: only the PNG reader is built, and
// stb refuses pictures past our own limit before it allocates for them.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 4096
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

constexpr std::streamoff largestFile = 64 << 20;

// stb sizes its buffer for the compressed data by the lengths the chunks
// claim, before reading them: a small file claiming a huge chunk would make
// it ask for that much memory. So every chunk must fit in the file first.
bool chunksFitInFile(const std::string& bytes)
{
    size_t at = 8;  // the signature
    while (at + 12 <= bytes.size()) {
        const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])); };
        const uint32_t length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
        if (length > bytes.size() - at - 12)
            return false;
        if (bytes.compare(at + 4, 4, "IEND") == 0)
            return true;
        at += 12 + length;
    }
    return false;
}

} // namespace

bool readPngFile(const std::string& path, RgbImage& image, std::string& error)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > largestFile) {
        error = path + ": " + (size <= 0 ? "empty" : "larger than 64 MB");
        return false;
    }
    in.seekg(0);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!in.read(bytes.data(), size)) {
        error = path + ": cannot be read";
        return false;
    }
    if (!chunksFitInFile(bytes)) {
        error = path + ": not a PNG picture that can be read (cut short or damaged)";
        return false;
    }
    int width = 0, height = 0, channels = 0;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    stbi_uc* pixels = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 3);
    if (!pixels) {
        error = path + ": not a PNG picture that can be read (" + stbi_failure_reason() + ")";
        return false;
    }
    image.width = width;
    image.height = height;
    image.pixels.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    stbi_image_free(pixels);
    return true;
}

bool writePngFile(const std::string& path, const RgbImage& image)
{
    stbi_flip_vertically_on_write(0);
    return stbi_write_png(path.c_str(), image.width, image.height, 3, image.pixels.data(), image.width * 3) != 0;
}
