#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// A regular file's whole content viewed read-only in memory. Mapping instead of
// reading saves copying large bitmaps once more before they are decoded.
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile() { close(); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the path names no readable regular file or the file is empty
    // (an empty file cannot be mapped, and holds no bitmap anyway).
    bool open(const char* path);
    void close();

    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

} // namespace platform
