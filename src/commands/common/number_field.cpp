#include "commands/common/number_field.h"

#include <algorithm>

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
        break;
    }
    return std::nullopt;
}

NumberField::NumberField(NumberKind kind, QWidget *parent) : platform::NumberBox(parent), m_kind(kind)
{
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

void NumberField::limit()
{
    if (m_loading)
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
