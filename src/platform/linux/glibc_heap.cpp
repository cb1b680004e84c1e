#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "platform/platform.h"

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; older kernels refuse it and nothing changes
#endif

namespace platform {

#ifdef __GLIBC__
namespace {
constexpr int defaultMmapMax = 65536;  // glibc's
// Setting any of these ends glibc's own adjustment of its mapping threshold
// for good, so afterwards they are set about where that adjustment would have
// taken them after a start-up: the blocks frames allocate come from the heap
// and are reused from frame to frame, instead of being mapped and faulted in
// afresh every time (with glibc's initial 128 KiB, 800 faults a frame).
constexpr int frameMmapThreshold = 4 << 20;
constexpr int frameTrimThreshold = 8 << 20;
} // namespace
#endif

AllocationBurst::AllocationBurst(size_t bytes)
{
#ifdef __GLIBC__
    // Start from a heap without free space left over from an earlier burst,
    // or the block below would be laid beside it and make both resident.
    malloc_trim(0);
    // Every block comes from the one heap, and what is freed stays there for
    // the next block: a picture decoded and freed, or a driver's staging
    // copy, is reused instead of its pages going back to the system.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    if (bytes == 0)
        return;
    // Grow the heap by one block and make all its pages present in a single
    // call, then free it for the buffers to come. A page faulted in on first
    // touch costs a trap each; on virtual machines that is many microseconds.
    auto* block = static_cast<uint8_t*>(std::malloc(bytes));
    if (!block)
        return;
    const uintptr_t pageMask = 4095;
    const uintptr_t first = (reinterpret_cast<uintptr_t>(block) + pageMask) & ~pageMask;
    const uintptr_t end = (reinterpret_cast<uintptr_t>(block) + bytes) & ~pageMask;
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
    std::free(block);
#else
    (void)bytes;
#endif
}

AllocationBurst::~AllocationBurst()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_MAX, defaultMmapMax);
    mallopt(M_MMAP_THRESHOLD, frameMmapThreshold);
    mallopt(M_TRIM_THRESHOLD, frameTrimThreshold);
#endif
}

} // namespace platform
