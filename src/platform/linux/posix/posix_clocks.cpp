#include <ctime>

#include "platform/system_services.h"

namespace platform::system {

namespace {

uint32_t monotonicMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Wraps at 2^32 like the classic counters; callers subtract unsigned.
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u
                                 + static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

} // namespace

uint32_t tickCount() { return monotonicMilliseconds(); }
uint32_t multimediaTime() { return monotonicMilliseconds(); }

} // namespace platform::system
