#pragma once
// The number box of the command dialogs: a platform::NumberBox (digits only,
// typed or pasted; select-all on focus; "0" when left empty) that pulls a
// value above its kind's limit down to the limit as soon as it appears,
// whether typed, pasted or written by a map picker. A 4-byte field holds a
// signed number, so no box writes one above 2,147,483,647 (nor, in the box
// that takes a sign, below -2,147,483,648). A value the dialog
// loads from the key is shown as stored, negative or above the limit, and
// is written back unchanged unless the user edits it.
#include "commands/common/dialog_description.h"
#include "platform/number_box.h"

#include <cstdint>
#include <optional>

namespace commands {

// The limit of a kind; nullopt for a box without one.
std::optional<std::int64_t> numberLimit(NumberKind kind);

class NumberField : public platform::NumberBox
{
    Q_OBJECT
public:
    explicit NumberField(NumberKind kind, QWidget *parent = nullptr);

    NumberKind kind() const { return m_kind; }
    // The bytes of the field the box writes (2 or 4): nothing above what the
    // field holds can be typed (65,535, or 2,147,483,647 for the signed
    // 4-byte numbers), whatever the kind.
    void setFieldWidth(int bytes) { m_width = bytes; }
    // Shows a stored value as it is, without the limit.
    void load(std::int64_t value);
    // The value of the text: its leading digits, 0 when empty.
    std::int64_t number() const;
    // A SignedText box: the text as a whole number in the signed 32-bit
    // range, or nothing when it is not one (empty, "-", letters, too big).
    std::optional<std::int32_t> signedValue() const;

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void limit();
    NumberKind m_kind;
    int m_width = 4;
    bool m_loading = false;
};

} // namespace commands
