#include "commands/common/number_field.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace commands {

std::optional<std::int64_t> numberLimit(NumberKind kind)
{
    switch (kind) {
    case NumberKind::Plain:
        return 16777215;
    case NumberKind::Coordinate:
    case NumberKind::BattlefieldIndex:
        return 40;
    case NumberKind::Percent:
        return 100;
    case NumberKind::Unclamped:
    case NumberKind::SignedText:
        break;
    }
    return std::nullopt;
}

NumberField::NumberField(NumberKind kind, QWidget *parent) : platform::NumberBox(parent), m_kind(kind)
{
    // A signed value box takes any text as it is typed; OK decides what of
    // it can be written.
    if (kind == NumberKind::SignedText)
        setValidator(nullptr);
    connect(this, &QLineEdit::textChanged, this, [this] { limit(); });
}

void NumberField::load(std::int64_t value)
{
    m_loading = true;
    setText(QString::number(value));
    m_loading = false;
}

std::int64_t NumberField::number() const
{
    const QString t = text();
    qsizetype n = 0;
    while (n < t.size() && t[n].isDigit())
        ++n;
    bool ok = false;
    const std::int64_t v = t.left(n).toLongLong(&ok);
    return ok ? v : 0;
}

std::optional<std::int32_t> NumberField::signedValue() const
{
    bool ok = false;
    const qlonglong v = text().trimmed().toLongLong(&ok);
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return std::int32_t(v);
}

void NumberField::focusOutEvent(QFocusEvent *event)
{
    // Left empty or half typed, a signed value box keeps its text: "0" would
    // be a value the user never gave.
    if (m_kind == NumberKind::SignedText)
        QLineEdit::focusOutEvent(event);
    else
        platform::NumberBox::focusOutEvent(event);
}

void NumberField::limit()
{
    if (m_loading || m_kind == NumberKind::SignedText)
        return;
    // A loaded negative value is text the user never typed; leave it.
    if (text().startsWith(u'-'))
        return;
    const std::int64_t fieldMax = m_width == 2 ? 0xFFFF : 0xFFFFFFFFLL;
    const std::int64_t max = std::min(numberLimit(m_kind).value_or(fieldMax), fieldMax);
    if (number() > max)
        setText(QString::number(max));
}

} // namespace commands
