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

namespace {

// A whole number typed past the signed 32-bit range, pulled to the nearer
// end of it; nothing for any other text (empty, "-", letters), which OK
// judges.
std::optional<std::int32_t> signedEnd(const QString &text)
{
    const QString t = text.trimmed();
    const bool negative = t.startsWith(u'-');
    const QStringView digits = QStringView(t).sliced(negative ? 1 : 0);
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (ok && v >= INT32_MIN && v <= INT32_MAX)
        return std::nullopt;
    return negative ? INT32_MIN : INT32_MAX;
}

} // namespace

void NumberField::limit()
{
    if (m_loading)
        return;
    if (m_kind == NumberKind::SignedText) {
        if (const auto end = signedEnd(text()))
            setText(QString::number(*end));
        return;
    }
    // A loaded negative value is text the user never typed; leave it.
    if (text().startsWith(u'-'))
        return;
    // A 4-byte field holds a signed number: above 2,147,483,647 it would be
    // stored, shown and captioned as a negative one.
    const std::int64_t fieldMax = m_width == 2 ? 0xFFFF : INT32_MAX;
    const std::int64_t max = std::min(numberLimit(m_kind).value_or(fieldMax), fieldMax);
    if (number() > max)
        setText(QString::number(max));
}

} // namespace commands
