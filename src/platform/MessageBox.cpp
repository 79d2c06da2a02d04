// Message boxes through SDL where a display exists; the text always goes to a terminal stream.
#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int boxesSwitch = -1; // -1: decide from the environment on first use
MessageAnswerHook answerHook = nullptr;

bool environmentAllowsBoxes() {
    if (const char* off = std::getenv("TRIPTYCH_NO_BOXES"); off && *off && std::strcmp(off, "0") != 0)
        return false;
    if (const char* driver = std::getenv("SDL_VIDEODRIVER"))
        if (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0) return false;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

Uint32 sdlFlags(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop: return SDL_MESSAGEBOX_ERROR;
    case MessageIcon::Exclamation: return SDL_MESSAGEBOX_WARNING;
    case MessageIcon::Question:
    case MessageIcon::Information: return SDL_MESSAGEBOX_INFORMATION;
    case MessageIcon::None: break;
    }
    return 0;
}

} // namespace

bool Sys_MessageBoxesEnabled() {
    if (boxesSwitch < 0) boxesSwitch = environmentAllowsBoxes() ? 1 : 0;
    return boxesSwitch == 1;
}

void Sys_SetMessageBoxesEnabled(bool enabled) { boxesSwitch = enabled ? 1 : 0; }

void Sys_SetMessageAnswerHook(MessageAnswerHook hook) {
    answerHook = hook;
}

namespace {
// Errors and warnings go to stderr; everything else (credits, questions) to stdout.
void writeToTerminal(const std::string& text, const std::string& caption, MessageIcon icon) {
    FILE* stream = (icon == MessageIcon::Stop || icon == MessageIcon::Exclamation) ? stderr : stdout;
    if (!caption.empty()) std::fprintf(stream, "%s: ", caption.c_str());
    std::fprintf(stream, "%s\n", text.c_str());
    std::fflush(stream);
}

MessageAnswer showBox(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons, MessageAnswer headlessAnswer) {
    if (buttons == MessageButtons::YesNo && answerHook) return answerHook(text);
    if (!Sys_MessageBoxesEnabled()) return buttons == MessageButtons::Ok ? MessageAnswer::Ok : headlessAnswer;

    SDL_MessageBoxButtonData okButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"}};
    SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 2, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"}};
    SDL_MessageBoxData data{};
    data.flags = sdlFlags(icon);
    data.window = nullptr;
    data.title = caption.c_str();
    data.message = text.c_str();
    if (buttons == MessageButtons::Ok) {
        data.numbuttons = 1;
        data.buttons = okButtons;
    } else {
        data.numbuttons = 2;
        data.buttons = yesNoButtons;
    }
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        // No box could be shown: the text is already on the terminal.
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : headlessAnswer;
    }
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return pressed == 1 ? MessageAnswer::Yes : MessageAnswer::No;
}
} // namespace

MessageAnswer Sys_MessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons, MessageAnswer headlessAnswer) {
    writeToTerminal(text, caption, icon);
    return showBox(text, caption, icon, buttons, headlessAnswer);
}

void Sys_ErrorBox(const std::string& text, const std::string& caption, const std::string& cause) {
    writeToTerminal(cause.empty() ? text : text + " (" + cause + ")", caption, MessageIcon::Stop);
    showBox(text, caption, MessageIcon::Stop, MessageButtons::Ok, MessageAnswer::Ok);
}
