// Fuzz target for the bitmap decoder: any bytes, written to a file and
// decoded. Beyond not crashing, the decoder must keep its word: a picture of
// the size it reports, or exactly one message and no picture.
#include "fuzz/scratch_file.h"
#include "image/dib_image.h"
#include "platform/platform.h"

using fuzz_support::require;

namespace {
int boxesShown = 0;
platform::MessageBoxResult countBox(const char*, const char*, platform::MessageBoxStyle)
{
    ++boxesShown;
    return platform::MessageBoxResult::Ok;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::setMessageBoxHandler(countBox);
    const char* file = fuzz_support::writeScratch(data, size);
    if (!file)
        return 0;
    boxesShown = 0;
    const auto image = loadDibImage(file);
    require(image ? boxesShown == 0 && image->width > 0 && image->height > 0
                        && image->data.size() == size_t(image->width) * size_t(image->height) * 3
                  : boxesShown == 1);
    return 0;
}
