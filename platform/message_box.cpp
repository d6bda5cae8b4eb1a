// message_box.cpp -- message boxes through SDL, with the Windows-1250 texts shown as UTF-8
#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace {

MessageBoxHook messageBoxHook = nullptr;

// Unicode code points of Windows-1250 bytes 0x80 to 0xFF; 0 where the code page has no character.
const unsigned short cp1250High[128] = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

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

int convertCp1250ToUtf8(const char* text, char* out, int size) {
    int length = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        unsigned code = *p < 0x80 ? *p : cp1250High[*p - 0x80];
        if (code == 0) code = '?';
        char bytes[3];
        int n;
        if (code < 0x80) {
            bytes[0] = char(code);
            n = 1;
        } else if (code < 0x800) {
            bytes[0] = char(0xC0 | (code >> 6));
            bytes[1] = char(0x80 | (code & 0x3F));
            n = 2;
        } else {
            bytes[0] = char(0xE0 | (code >> 12));
            bytes[1] = char(0x80 | ((code >> 6) & 0x3F));
            bytes[2] = char(0x80 | (code & 0x3F));
            n = 3;
        }
        if (length + n >= size) break;
        std::memcpy(out + length, bytes, n);
        length += n;
    }
    if (size > 0) out[length] = '\0';
    return length;
}

void setMessageBoxHook(MessageBoxHook hook) {
    messageBoxHook = hook;
}

MessageAnswer showMessageBox(const char* text, const char* caption, MessageIcon icon,
                             MessageButtons buttons) {
    if (messageBoxHook) return messageBoxHook(text, caption, icon, buttons);

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
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        std::fprintf(stderr, "%s: %s\n", utf8Caption, utf8Text);
        return AnswerClosed;
    }
    return pressed < 0 ? AnswerClosed : MessageAnswer(pressed);
}
