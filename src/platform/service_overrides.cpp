// The services that runs without a user replace: tests and verdal-bench set a
// fixed-step clock, answer message boxes themselves, or look GL entry points
// up in a context of their own; and the GL names a run pretends the driver lacks.
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include "gpu/gl_headers.h"
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

namespace {

const std::set<std::string>& hiddenGlNames()
{
    static const std::set<std::string> names = [] {
        std::set<std::string> parsed;
        const char* listed = std::getenv("VERDAL_HIDE_GL");
        std::istringstream words(listed ? listed : "");
        for (std::string name; words >> name;)
            parsed.insert(name);
        return parsed;
    }();
    return names;
}

} // namespace

void setProcAddressSource(ProcAddressSource source) { procAddressSource = source; }

void* getGlProcAddress(const char* name)
{
    if (!name || hiddenGlNames().count(name))
        return nullptr;
    return procAddressSource ? procAddressSource(name) : system::glProcAddress(name);
}

const char* getGlExtensions()
{
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions || hiddenGlNames().empty())
        return extensions;
    static std::string kept;
    kept.clear();
    std::istringstream words(extensions);
    for (std::string name; words >> name;) {
        if (!hiddenGlNames().count(name))
            kept += (kept.empty() ? "" : " ") + name;
    }
    return kept.c_str();
}

} // namespace platform
