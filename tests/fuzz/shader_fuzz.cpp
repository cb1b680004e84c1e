// Feeds arbitrary bytes to the shader source reader as a file: within the
// size limit it hands back the text with every CR LF made LF and nothing else
// changed; beyond it, no text at all.
#include <cstdint>
#include <string>

#include "fuzz/scratch_file.h"
#include "gpu/shader_set.h"

using fuzz_support::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* file = fuzz_support::writeScratch(data, size);
    if (!file)
        return 0;
    const std::optional<std::string> text = ShaderSet::readSource(file);
    require(text.has_value() == (size <= ShaderSet::maxSourceBytes));
    if (!text)
        return 0;
    std::string expected;
    for (size_t i = 0; i < size; ++i) {
        if (!(data[i] == '\r' && i + 1 < size && data[i + 1] == '\n'))
            expected.push_back(static_cast<char>(data[i]));
    }
    require(*text == expected);
    return 0;
}
