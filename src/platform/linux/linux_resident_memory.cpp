#include <fstream>

#include "platform/platform.h"

namespace platform {

uint64_t residentBytes()
{
    // The second field of statm is the resident set, in pages.
    std::ifstream statm("/proc/self/statm");
    uint64_t size = 0, resident = 0;
    if (!(statm >> size >> resident))
        return 0;
    return resident * 4096;
}

} // namespace platform
