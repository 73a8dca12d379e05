#pragma once
// The program's yes/no question: a small modal dialog of our own rather than the
// system's message box, whose buttons speak the system's language. Title "確認", the
// question icon, the text, "はい(&Y)" (the default: Enter) and "いいえ(&N)" (also
// Escape and the close box).
#include <string>

namespace tessora::tk {

class Form;

// Asks the question over `owner` (centred on it; on the screen without one) and returns
// mrYes or mrNo. "\r\n" in the text breaks the line.
int ConfirmBox(const std::wstring& text, Form* owner = nullptr);

}  // namespace tessora::tk
