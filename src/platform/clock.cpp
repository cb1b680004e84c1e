#include <ctime>

#include "platform/platform.h"

namespace platform {

namespace {

ClockSource clockSource = nullptr;

uint32_t monotonicMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Wraps at 2^32 like the classic counters; callers subtract unsigned.
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u
                                 + static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

} // namespace

void setClockSource(ClockSource source) { clockSource = source; }

uint32_t tickCount() { return clockSource ? clockSource() : monotonicMilliseconds(); }

uint32_t timeGetTime() { return clockSource ? clockSource() : monotonicMilliseconds(); }

} // namespace platform
