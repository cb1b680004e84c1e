#include <cstdio>

#include "platform/linux/posix/children_end_with_us.h"
#include "platform/linux/sdl/sdl_window_state.h"
#include "platform/system_services.h"

namespace platform::system {

MessageBoxResult messageBox(const char* text, const char* caption, MessageBoxStyle style)
{
    // Also on stderr, so a run without a screen still tells what went wrong.
    std::fprintf(stderr, "%s: %s\n", caption, text);

    const bool question = style == MessageBoxStyle::QuestionYesNo;
    const SDL_MessageBoxButtonData okButton[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"}};
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 2, "No"}};
    SDL_MessageBoxData data{};
    data.flags = (question ? SDL_MESSAGEBOX_INFORMATION : SDL_MESSAGEBOX_WARNING)
        | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    data.title = caption;
    data.message = text;
    data.numbuttons = question ? 2 : 1;
    data.buttons = question ? yesNoButtons : okButton;

    int pressed = -1;
    int shown = 0;
    {
        const posix::ChildrenEndWithUs boxEndsWithUs;
        shown = SDL_ShowMessageBox(&data, &pressed);
    }
    if (shown != 0) {
        // No screen to ask on, or (under Wayland) no zenity to ask with: the
        // windowed answer needs the least of the display.
        std::fprintf(stderr, "platform: the box could not be shown (%s)%s\n", SDL_GetError(),
                     question ? ", so the answer is No: starting windowed" : "");
        return question ? MessageBoxResult::No : MessageBoxResult::Ok;
    }
    if (!question)
        return MessageBoxResult::Ok;
    return pressed == 1 ? MessageBoxResult::Yes : MessageBoxResult::No;
}

} // namespace platform::system
