// message_box.h -- modal message boxes with the program's fixed texts
#pragma once

enum MessageIcon { IconNone, IconQuestion, IconExclamation, IconError, IconInformation };
enum MessageButtons { ButtonsOk, ButtonsYesNo };
// AnswerClosed: the box was closed without a button, or could not be shown at all.
enum MessageAnswer { AnswerClosed, AnswerOk, AnswerYes, AnswerNo };

// Shows text and caption, both held in Windows-1250, and waits for an answer. Where no display
// exists the message goes to stderr and the answer is AnswerClosed.
MessageAnswer showMessageBox(const char* text, const char* caption, MessageIcon icon,
                             MessageButtons buttons);

// Tests route every message box here instead; null restores the real boxes.
typedef MessageAnswer (*MessageBoxHook)(const char* text, const char* caption, MessageIcon icon,
                                        MessageButtons buttons);
void setMessageBoxHook(MessageBoxHook hook);

// Windows-1250 to UTF-8. Returns the length written, without the terminating zero; output is cut
// at a whole character so that it fits in size bytes with its terminator.
int convertCp1250ToUtf8(const char* text, char* out, int size);
