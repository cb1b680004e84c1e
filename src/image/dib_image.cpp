#include "image/dib_image.h"

#include <cstdlib>
#include <new>
#include <string>

#include "image/dib_layout.h"
#include "image/dib_pixels.h"
#include "platform/mapped_file.h"
#include "platform/platform.h"

namespace {

// std::vector reports a failed allocation only by throwing; asking the heap
// first, without throwing, turns that case into the decoder's own message.
bool heapCanHold(size_t bytes)
{
    void* probe = std::malloc(bytes);
    std::free(probe);
    return probe != nullptr;
}

} // namespace

std::unique_ptr<DibImage> loadDibImage(const char* fileName)
{
    const std::string shownName = fileName ? fileName : "";
    std::string path = shownName;
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }

    platform::MappedFile file;
    if (!file.open(path.c_str())) {
        platform::showError(("Failed to open DIB file " + shownName + ".\n").c_str());
        return nullptr;
    }

    DibLayout layout;
    switch (readDibLayout(file.data(), file.size(), layout)) {
    case DibLayoutResult::Ok:
        break;
    case DibLayoutResult::UnknownFormat:
        platform::showError("Unknown DIB file format.");
        return nullptr;
    case DibLayoutResult::Unconvertible:
        platform::showError("Image file conversion error.");
        return nullptr;
    }

    // Both sides are below 65536, so this cannot overflow; the layout check
    // has tied the size to what the file holds.
    const size_t bytes = static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height) * 3;
    std::unique_ptr<DibImage> image(new (std::nothrow) DibImage);
    if (!image || !heapCanHold(bytes)) {
        platform::showError("Out of memory.");
        return nullptr;
    }
    image->width = layout.width;
    image->height = layout.height;
    image->data.resize(bytes);
    if (!decodeDibPixels(file.data(), file.size(), layout, image->data.data())) {
        platform::showError("Image file conversion error.");
        return nullptr;
    }
    return image;
}
