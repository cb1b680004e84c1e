// Reading shader source files: the untrusted-input side of ShaderSet.
#include <cstdio>
#include <memory>

#include "gpu/log.h"
#include "gpu/shader_set.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Shaders are written on Windows as often as not; GLSL compilers don't mind a
// CR, but the text should read the same whichever system saved it.
std::string withUnixLineEnds(const char* data, std::size_t size)
{
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n')
            continue;
        text.push_back(data[i]);
    }
    return text;
}

} // namespace

std::optional<std::string> ShaderSet::readSource(const char* fileName)
{
    const std::string name = fileName ? fileName : "";
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name.c_str(), "rb"));
    if (!file) {
        Log::instance()->write("ERROR: Can't find shaderfile: " + name);
        return std::nullopt;
    }

    // One byte more than allowed tells a file at the limit from one past it
    // without ever holding more than the limit's worth.
    std::unique_ptr<char[]> buffer(new char[maxSourceBytes + 1]);
    const std::size_t size = std::fread(buffer.get(), 1, maxSourceBytes + 1, file.get());
    if (std::ferror(file.get())) {
        Log::instance()->write("ERROR: Can't read shaderfile: " + name);
        return std::nullopt;
    }
    if (size > maxSourceBytes) {
        Log::instance()->write("ERROR: Shaderfile larger than 99999 bytes: " + name);
        return std::nullopt;
    }
    return withUnixLineEnds(buffer.get(), size);
}
