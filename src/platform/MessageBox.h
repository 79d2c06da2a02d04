// Message boxes of the show: one function for every box. It always writes the text to stderr
// (stdout for information boxes such as the credits) and shows a real box where a display exists.
#pragma once

#include <string>

enum class MessageIcon { None, Stop, Exclamation, Question, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Shows a box with no owner window. Where no display is available the box is skipped and
// questions answer `headlessAnswer`.
MessageAnswer Sys_MessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons = MessageButtons::Ok,
                             MessageAnswer headlessAnswer = MessageAnswer::Yes);

// An error box showing text, while the terminal gets "text (cause)" (just text when cause is
// empty): the box keeps its fixed wording, the terminal also says what failed.
void Sys_ErrorBox(const std::string& text, const std::string& caption, const std::string& cause);

// Tests: while set, every box with Yes and No is answered by the hook instead of a person.
using MessageAnswerHook = MessageAnswer (*)(const std::string& text);
void Sys_SetMessageAnswerHook(MessageAnswerHook hook);

// Whether graphical boxes may be shown (a display exists and boxes are not switched off).
bool Sys_MessageBoxesEnabled();
// Switches graphical boxes off (tests, video mode without a display); text output stays.
void Sys_SetMessageBoxesEnabled(bool enabled);
