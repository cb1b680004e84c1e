#include "platform/system_services.h"

#include <windows.h>
#include <mmsystem.h>

namespace platform::system {

uint32_t tickCount() { return GetTickCount(); }

uint32_t multimediaTime() { return ::timeGetTime(); }

MessageBoxResult messageBox(const char* text, const char* caption, MessageBoxStyle style)
{
    const bool question = style == MessageBoxStyle::QuestionYesNo;
    const UINT type = question ? MB_YESNO | MB_ICONQUESTION : MB_OK | MB_ICONEXCLAMATION;
    switch (MessageBoxA(nullptr, text, caption, type)) {
    case IDYES: return MessageBoxResult::Yes;
    case IDNO: return MessageBoxResult::No;
    default: return MessageBoxResult::Ok;
    }
}

void* glProcAddress(const char* name)
{
    // Some drivers answer an unknown name with a small number rather than null.
    const auto address = reinterpret_cast<intptr_t>(wglGetProcAddress(name));
    if (address == 0 || address == 1 || address == 2 || address == 3 || address == -1)
        return nullptr;
    return reinterpret_cast<void*>(address);
}

} // namespace platform::system

namespace platform {

// The process heap keeps freed blocks for reuse already, and commits pages
// as they are touched.
AllocationBurst::AllocationBurst(size_t) {}
AllocationBurst::~AllocationBurst() = default;

} // namespace platform
