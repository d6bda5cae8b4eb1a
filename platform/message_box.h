// message_box.h -- modal message boxes with the program's fixed texts
#pragma once

enum MessageIcon { IconNone, IconQuestion, IconExclamation, IconError, IconInformation };
enum MessageButtons { ButtonsOk, ButtonsYesNo };
// AnswerClosed: the box was closed without a button, or could not be shown at all.
enum MessageAnswer { AnswerClosed, AnswerOk, AnswerYes, AnswerNo };

// Shows text and caption, both held in Windows-1250, and waits for an answer.
typedef MessageAnswer (*MessageBoxFunction)(const char* text, const char* caption, MessageIcon icon,
                                            MessageButtons buttons);

// The platform's own message box, with no owner window (MessageBoxA). Where no display exists
// the message goes to stderr and the answer is AnswerClosed.
MessageAnswer systemMessageBox(const char* text, const char* caption, MessageIcon icon,
                               MessageButtons buttons);

// What the program calls; systemMessageBox unless a test or a tool puts in its own.
extern MessageBoxFunction showMessageBox;

// For the command-line tools: from now on each box is a line "PROGRAM: CAPTION: TEXT" on stderr,
// in UTF-8, answered as closed. The viewer never calls it.
void sendMessageBoxesToStderr(const char* program);
