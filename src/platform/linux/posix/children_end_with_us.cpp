#include "platform/linux/posix/children_end_with_us.h"

#include <atomic>
#include <csignal>
#include <mutex>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace platform::posix {

namespace {

std::atomic<pid_t> parentToFollow{0};

// Runs in the child between fork and exec; the death signal survives the exec.
void followParent()
{
    const pid_t parent = parentToFollow.load();
    if (parent == 0)
        return;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The parent may have ended before the line above: nobody is left to ask.
    if (getppid() != parent)
        _exit(1);
}

} // namespace

ChildrenEndWithUs::ChildrenEndWithUs()
{
    static std::once_flag registered;
    std::call_once(registered, [] { pthread_atfork(nullptr, nullptr, followParent); });
    parentToFollow = getpid();
}

ChildrenEndWithUs::~ChildrenEndWithUs()
{
    parentToFollow = 0;
}

} // namespace platform::posix
