#include "platform/mapped_file.h"

#include <windows.h>

namespace platform {

void MappedFile::close()
{
    if (data_)
        UnmapViewOfFile(data_);
    data_ = nullptr;
    size_ = 0;
}

bool MappedFile::open(const char* path)
{
    close();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    const bool mappable = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size)
        && size.QuadPart > 0 && static_cast<uint64_t>(size.QuadPart) <= SIZE_MAX;
    HANDLE mapping = mappable ? CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr) : nullptr;
    const void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    // The view stays valid after the mapping and file handles are closed.
    if (mapping)
        CloseHandle(mapping);
    CloseHandle(file);
    if (!view)
        return false;
    data_ = static_cast<const uint8_t*>(view);
    size_ = static_cast<size_t>(size.QuadPart);
    return true;
}

} // namespace platform
