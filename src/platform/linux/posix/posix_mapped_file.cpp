#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

void MappedFile::close()
{
    if (data_)
        munmap(const_cast<uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
}

bool MappedFile::open(const char* path)
{
    close();
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool mappable = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0
        && static_cast<uint64_t>(info.st_size) <= SIZE_MAX;
    // Every byte is read once, front to back: fill the page tables in one go
    // rather than fault page by page.
    int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
    flags |= MAP_POPULATE;
#endif
    void* view = MAP_FAILED;
    if (mappable)
        view = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, flags, fd, 0);
    // The mapping stays valid after its descriptor is closed.
    ::close(fd);
    if (view == MAP_FAILED)
        return false;
    data_ = static_cast<const uint8_t*>(view);
    size_ = static_cast<size_t>(info.st_size);
    return true;
}

} // namespace platform
