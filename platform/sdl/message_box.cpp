// message_box.cpp -- message boxes through SDL, with the Windows-1250 texts shown as UTF-8
#include "platform/message_box.h"
#include "platform/sdl/sdl_window.h"
#include "platform/termination.h"
#include "platform/text_encoding.h"

#include <SDL.h>

#include <cstdio>

namespace {

Uint32 iconFlags(MessageIcon icon) {
    switch (icon) {
    case IconError:
        return SDL_MESSAGEBOX_ERROR;
    case IconExclamation:
        return SDL_MESSAGEBOX_WARNING;
    case IconQuestion:
    case IconInformation:
        return SDL_MESSAGEBOX_INFORMATION;
    case IconNone:
        break;
    }
    return 0;
}

} // namespace

MessageAnswer systemMessageBox(const char* text, const char* caption, MessageIcon icon,
                               MessageButtons buttons) {
    char utf8Text[1024], utf8Caption[256];
    convertCp1250ToUtf8(text, utf8Text, sizeof utf8Text);
    convertCp1250ToUtf8(caption, utf8Caption, sizeof utf8Caption);

    const SDL_MessageBoxButtonData okButton[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
         AnswerOk, "OK"}};
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, AnswerYes, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, AnswerNo, "No"}};
    SDL_MessageBoxData box = {};
    box.flags = iconFlags(icon);
    box.title = utf8Caption;
    box.message = utf8Text;
    box.numbuttons = buttons == ButtonsYesNo ? 2 : 1;
    box.buttons = buttons == ButtonsYesNo ? yesNoButtons : okButton;

    int pressed = -1;
    if (showBoxUntilTermination(&box, &pressed) != 0) {
        if (!terminationRequested()) std::fprintf(stderr, "%s: %s\n", utf8Caption, utf8Text);
        return AnswerClosed;
    }
    return pressed < 0 ? AnswerClosed : MessageAnswer(pressed);
}
