#include <cstdio>

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
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        std::fprintf(stderr, "platform: no message box: %s\n", SDL_GetError());
        // No screen to ask on: the windowed answer needs the least of the display.
        return question ? MessageBoxResult::No : MessageBoxResult::Ok;
    }
    if (!question)
        return MessageBoxResult::Ok;
    return pressed == 1 ? MessageBoxResult::Yes : MessageBoxResult::No;
}

} // namespace platform::system
