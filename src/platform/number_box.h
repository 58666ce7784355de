#pragma once
// The number box every dialog uses for counts, indices and command codes:
// - takes only digits (or hexadecimal digits in hex mode) whether typed,
//   pasted or dropped; anything else leaves the box as it was. Enter and Esc
//   pass on to the dialog (default and cancel buttons);
// - selects its whole text when it gains the focus, also by a mouse click;
// - shows "0" when it is left empty;
// - switches the input method off, so digits arrive as single-byte digits
//   even while the keyboard is in Hangul mode;
// - optionally clamps its value to a range when it loses the focus.
#include <QLineEdit>
#include <QValidator>

#include <optional>

namespace platform {

// Accepts text made only of decimal (or hexadecimal) digits, and the empty
// text so a box can be cleared before typing. Hex digits are shown in upper
// case.
class DigitValidator : public QValidator
{
    Q_OBJECT
public:
    explicit DigitValidator(QObject *parent = nullptr) : QValidator(parent) {}
    void setHex(bool hex) { m_hex = hex; }
    bool hex() const { return m_hex; }
    State validate(QString &input, int &pos) const override;

    // Longest digit text accepted: keeps every value inside 64 bits.
    static constexpr int kMaxDigits = 15;
private:
    bool m_hex = false;
};

class NumberBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumberBox(QWidget *parent = nullptr);

    // Command-code boxes take hexadecimal digits instead of decimal ones.
    void setHexMode(bool hex);
    bool hexMode() const;

    // When set, a value outside [min, max] is pulled to the nearer end when
    // the box loses the focus and in value().
    void setRange(qint64 min, qint64 max);
    void clearRange();
    std::optional<std::pair<qint64, qint64>> range() const { return m_range; }

    // The number shown (0 for an empty box), clamped when a range is set.
    qint64 value() const;
    void setValue(qint64 value);

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    qint64 clamped(qint64 value) const;
    DigitValidator *m_validator;
    std::optional<std::pair<qint64, qint64>> m_range;
};

// The four box handlers, also usable on a plain QLineEdit.
void selectAllText(QLineEdit *box);
// Wires SelectAllText to the box's focus, clicks included: for the text
// boxes of the dialogs, which select their text on focus as number boxes do.
void selectAllOnFocus(QLineEdit *box);
// True when the typed character is kept: a digit or Backspace (8).
bool filterDigitKey(int keyAscii);
// An empty box gets the text "0"; any other text stays.
void zeroIfEmpty(QLineEdit *box);
// Single-byte digit input regardless of the keyboard's Hangul mode.
void forceAlphaIME(QWidget *box);

} // namespace platform
