#include "platform/platform.h"

#include <windows.h>
#include <psapi.h>

namespace platform {

uint64_t residentBytes()
{
    // The working set: the pages resident in memory. K32GetProcessMemoryInfo
    // lives in KERNEL32, so no further DLL is needed.
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return counters.WorkingSetSize;
}

} // namespace platform
