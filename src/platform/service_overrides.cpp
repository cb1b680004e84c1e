// The services that runs without a user replace: tests and verdal-bench set a
// fixed-step clock, answer message boxes themselves, or look GL entry points
// up in a context of their own.
#include "platform/system_services.h"

namespace platform {

namespace {
ClockSource clockSource = nullptr;
MessageBoxHandler messageBoxHandler = nullptr;
ProcAddressSource procAddressSource = nullptr;
} // namespace

void setClockSource(ClockSource source) { clockSource = source; }
uint32_t tickCount() { return clockSource ? clockSource() : system::tickCount(); }
uint32_t timeGetTime() { return clockSource ? clockSource() : system::multimediaTime(); }

void setMessageBoxHandler(MessageBoxHandler handler) { messageBoxHandler = handler; }

MessageBoxResult messageBox(const char* text, const char* caption, MessageBoxStyle style)
{
    text = text ? text : "";
    caption = caption ? caption : "";
    if (messageBoxHandler)
        return messageBoxHandler(text, caption, style);
    return system::messageBox(text, caption, style);
}

void setProcAddressSource(ProcAddressSource source) { procAddressSource = source; }

void* getGlProcAddress(const char* name)
{
    if (!name)
        return nullptr;
    return procAddressSource ? procAddressSource(name) : system::glProcAddress(name);
}

} // namespace platform
