#pragma once
// The command-code box of the add dialogs and of the quick-add settings: a
// hexadecimal number box that
// - takes hexadecimal digits only, typed or pasted (other text is refused);
// - shows `typingMax` at once, text selected, when the user enters a larger
//   code;
// - turns an empty text or a value below 2 into "2" when it loses the focus
//   and whenever the code is read, so reading never fails.
#include "platform/number_box.h"

namespace workspace::add_dialogs {

// Codes below 2 (the end node and the child-event marker) are never added
// on their own.
constexpr int kLowestCode = 0x02;
constexpr int kHighestCode = 0x79;

class CodeBox : public platform::NumberBox
{
public:
    // `typingMax` is the largest code the user may enter; codes set by the
    // program may go up to kHighestCode.
    explicit CodeBox(int typingMax, QWidget *parent = nullptr);

    int typingMax() const { return m_typingMax; }

    // Puts the normalised text into the box and returns its code.
    int code();
    // Shows `code` in upper-case hexadecimal without leading zeros.
    void setCode(int code);

private:
    void clampTyped();
    int m_typingMax;
};

} // namespace workspace::add_dialogs
