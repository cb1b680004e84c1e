// Fuzz target for the bitmap decoder: any bytes, written to a file and
// decoded. Beyond not crashing, the decoder must keep its word: a picture of
// the size it reports, or exactly one message and no picture.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "image/dib_image.h"
#include "platform/platform.h"

namespace {

int boxesShown = 0;

platform::MessageBoxResult countBox(const char*, const char*, platform::MessageBoxStyle)
{
    ++boxesShown;
    return platform::MessageBoxResult::Ok;
}

// In memory where the system offers it: a file is written per input.
const std::string& inputPath()
{
    static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp")
        + "/verdal-bmp-fuzz-" + std::to_string(getpid()) + ".bmp";
    return path;
}

void removeInput()
{
    std::remove(inputPath().c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool silenced = [] {
        platform::setMessageBoxHandler(countBox);
        std::atexit(removeInput);
        return true;
    }();
    (void)silenced;

    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    if (!file)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    boxesShown = 0;
    const auto image = loadDibImage(inputPath().c_str());
    if (image) {
        const bool consistent = boxesShown == 0 && image->width > 0 && image->height > 0
            && image->data.size() == static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 3;
        if (!consistent)
            std::abort();
    } else if (boxesShown != 1) {
        std::abort();
    }
    return 0;
}
