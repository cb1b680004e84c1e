// Fuzz target for what verdal-bench reads from users: results files and frame
// logs given to compare, and reference pictures given to --validate. Any
// bytes go to all three readers; each must keep its word: figures or frames
// only on success, a picture of the size it reports, a reason on failure.
#include <string>

#include "fuzz/scratch_file.h"
#include "image_file.h"
#include "run_file.h"

using fuzz_support::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::pair<std::string, std::string>> figures;
    if (!parseFlatJson(text, figures))
        require(figures.size() <= size);
    std::vector<FrameRecord> frames;
    std::string error;
    if (parseFrameLog(text, frames, error))
        for (const FrameRecord& frame : frames)
            require(frame.frame >= 1 && frame.milliseconds >= 0);
    else
        require(!error.empty());
    const char* file = fuzz_support::writeScratch(data, size);
    if (!file)
        return 0;
    RgbImage image;
    error.clear();
    if (readPngFile(file, image, error))
        require(image.width > 0 && image.height > 0
                && image.pixels.size() == size_t(image.width) * size_t(image.height) * 3);
    else
        require(!error.empty());
    return 0;
}
