#include "platform/number_box.h"

#include <QFocusEvent>
#include <QMouseEvent>

namespace platform {

namespace {
bool isDigitOf(QChar c, bool hex)
{
    if (c >= '0' && c <= '9')
        return true;
    return hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}
} // namespace

QValidator::State DigitValidator::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos);
    if (input.size() > kMaxDigits)
        return Invalid;
    for (QChar c : input)
        if (!isDigitOf(c, m_hex))
            return Invalid;
    if (m_hex)
        input = input.toUpper();
    return Acceptable;
}

NumberBox::NumberBox(QWidget *parent) : QLineEdit(parent), m_validator(new DigitValidator(this))
{
    setValidator(m_validator);
    forceAlphaIME(this);
    selectAllOnFocus(this);
}

void NumberBox::setHexMode(bool hex)
{
    m_validator->setHex(hex);
    // Text typed in the other mode may not fit the new one.
    int pos = 0;
    QString t = text();
    if (m_validator->validate(t, pos) != QValidator::Acceptable)
        clear();
    else
        setText(t);
}

bool NumberBox::hexMode() const { return m_validator->hex(); }

void NumberBox::setRange(qint64 min, qint64 max)
{
    if (min > max)
        std::swap(min, max);
    m_range = std::make_pair(min, max);
}

void NumberBox::clearRange() { m_range.reset(); }

qint64 NumberBox::clamped(qint64 value) const
{
    if (!m_range)
        return value;
    return std::clamp(value, m_range->first, m_range->second);
}

qint64 NumberBox::value() const
{
    bool ok = false;
    const qint64 v = text().toLongLong(&ok, hexMode() ? 16 : 10);
    return clamped(ok ? v : 0);
}

void NumberBox::setValue(qint64 value)
{
    value = clamped(value);
    // Negative numbers cannot be typed, so they are not shown either.
    if (value < 0)
        value = 0;
    setText(hexMode() ? QString::number(value, 16).toUpper() : QString::number(value));
}

void NumberBox::focusOutEvent(QFocusEvent *event)
{
    // A context menu or a switch to another window is not leaving the box.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
        zeroIfEmpty(this);
        if (m_range)
            setValue(value());
    }
    QLineEdit::focusOutEvent(event);
}

namespace {
// Selects the whole text when the box gains the focus. A click that gives
// the focus places the cursor after the focus arrives, so the selection is
// made again when that click's button is released (unless the click dragged
// over part of the text).
class SelectAllOnFocus : public QObject
{
public:
    static constexpr const char *kName = "selectAllOnFocus";
    explicit SelectAllOnFocus(QLineEdit *box) : QObject(box), m_box(box) { setObjectName(kName); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_box)
            return false;
        switch (event->type()) {
        case QEvent::FocusIn:
            selectAllText(m_box);
            m_pendingClick = static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason;
            break;
        case QEvent::FocusOut:
            m_pendingClick = false;
            break;
        case QEvent::MouseButtonPress:
            // Pressed on the fresh selection, the box would start a drag of
            // it and drop the selection on release; let the press place the
            // cursor instead.
            if (m_pendingClick)
                m_box->deselect();
            break;
        case QEvent::MouseButtonRelease:
            if (m_pendingClick && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                m_pendingClick = false;
                // A drag that selected part of the text keeps its selection.
                if (!m_box->hasSelectedText())
                    selectAllText(m_box);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    QLineEdit *m_box;
    bool m_pendingClick = false;
};
} // namespace

void selectAllOnFocus(QLineEdit *box)
{
    if (box && !box->findChild<QObject *>(SelectAllOnFocus::kName, Qt::FindDirectChildrenOnly))
        box->installEventFilter(new SelectAllOnFocus(box));
}

void selectAllText(QLineEdit *box)
{
    if (box)
        box->selectAll();
}

bool filterDigitKey(int keyAscii)
{
    return (keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8;
}

void zeroIfEmpty(QLineEdit *box)
{
    if (box && box->text().isEmpty())
        box->setText(QStringLiteral("0"));
}

void forceAlphaIME(QWidget *box)
{
    if (!box)
        return;
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(box->inputMethodHints() | Qt::ImhPreferNumbers | Qt::ImhLatinOnly
                             | Qt::ImhNoPredictiveText);
}

} // namespace platform
