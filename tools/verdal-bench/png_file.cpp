#include "png_file.h"

#include <algorithm>

#include "gpu/gl_headers.h"
#include "image_file.h"

void readFramebuffer(RgbImage& image, int width, int height)
{
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.data());
    // GL hands rows bottom first; pictures are kept top row first.
    const size_t stride = static_cast<size_t>(width) * 3;
    for (size_t top = 0, bottom = static_cast<size_t>(height) - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(image.pixels.begin() + static_cast<long>(top * stride),
                         image.pixels.begin() + static_cast<long>((top + 1) * stride),
                         image.pixels.begin() + static_cast<long>(bottom * stride));
}

bool saveFramebufferPng(const std::string& path, int width, int height)
{
    RgbImage image;
    readFramebuffer(image, width, height);
    return writePngFile(path, image);
}
