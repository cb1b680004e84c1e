#pragma once

namespace platform::posix {

// While one lives, every child process forked is told to end (SIGTERM) when
// this process does. SDL shows a message box in a helper program it forks on
// some systems (zenity under Wayland); a SIGTERM that ends the demo while such
// a box is up would otherwise leave the box orphaned on screen.
class ChildrenEndWithUs {
public:
    ChildrenEndWithUs();
    ~ChildrenEndWithUs();
    ChildrenEndWithUs(const ChildrenEndWithUs&) = delete;
    ChildrenEndWithUs& operator=(const ChildrenEndWithUs&) = delete;
};

} // namespace platform::posix
