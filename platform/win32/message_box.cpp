// message_box.cpp -- message boxes in Unicode, from the program's Windows-1250 texts
//
// The texts are converted from code page 1250 whatever the system's own code page is: an ANSI
// box would show them in the system's code page and get the accented letters wrong.
#include "platform/message_box.h"

#include <windows.h>

#include <cstdlib>

namespace {

// A fresh wide copy of text, or null.
wchar_t* widen(const char* text) {
    const int length = MultiByteToWideChar(1250, 0, text, -1, nullptr, 0);
    if (length <= 0) return nullptr;
    wchar_t* wide = static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * size_t(length)));
    if (wide && MultiByteToWideChar(1250, 0, text, -1, wide, length) != length) {
        std::free(wide);
        return nullptr;
    }
    return wide;
}

UINT iconStyle(MessageIcon icon) {
    switch (icon) {
    case IconQuestion:
        return MB_ICONQUESTION;
    case IconExclamation:
        return MB_ICONEXCLAMATION;
    case IconError:
        return MB_ICONERROR;
    case IconInformation:
        return MB_ICONINFORMATION;
    case IconNone:
        break;
    }
    return 0;
}

MessageAnswer answerOf(int result) {
    switch (result) {
    case IDOK:
        return AnswerOk;
    case IDYES:
        return AnswerYes;
    case IDNO:
        return AnswerNo;
    }
    return AnswerClosed;
}

} // namespace

// The bitmap loader's boxes, the only ones without an icon, belong to the window that has the
// keyboard; the shell's have no owner.
MessageAnswer systemMessageBox(const char* text, const char* caption, MessageIcon icon,
                               MessageButtons buttons) {
    wchar_t* wideText = widen(text);
    wchar_t* wideCaption = widen(caption);
    int result = 0;
    if (wideText && wideCaption) {
        const UINT style = (buttons == ButtonsYesNo ? MB_YESNO : MB_OK) | iconStyle(icon);
        result = MessageBoxW(icon == IconNone ? GetFocus() : nullptr, wideText, wideCaption, style);
    }
    std::free(wideText);
    std::free(wideCaption);
    return answerOf(result);
}
