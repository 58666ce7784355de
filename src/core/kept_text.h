#pragma once
// A text item as a text box shows it, with the stored bytes behind each shown
// character. A box cannot show every stored byte: a byte that starts no CP949
// character shows as U+FFFD, and a carriage return is not shown at all (it
// goes with the character after it). Neither would survive encoding the
// box's text again, so a changed text is written as the stored bytes of the
// unchanged stretch before and after the user's edit, and only the changed
// stretch between them is encoded anew.
#include <QByteArray>
#include <QList>
#include <QString>

namespace core {

// What a save of an edited text does with what CP949 cannot hold.
struct TextLoss
{
    // The edit holds a character CP949 has no code for: it is written as "?".
    bool replaced = false;
    // The text keeps stored bytes that are no CP949 character (shown as
    // U+FFFD): they are written as they were.
    bool keptUnreadable = false;
    bool operator==(const TextLoss &) const = default;
};

class KeptText
{
public:
    KeptText() : KeptText(QByteArray()) {}
    explicit KeptText(const QByteArray &stored);

    const QByteArray &stored() const { return m_stored; }
    // The text a box shows: line feeds as '\n', no carriage returns, one
    // U+FFFD for each byte that starts no character.
    const QString &shown() const { return m_shown; }

    // The bytes to store for `edited`, which the user made of `loaded` (what
    // the box showed right after loading, in the form of shown()). Untouched
    // (`edited` is `loaded`), the stored bytes; otherwise the stored bytes
    // before and after the changed stretch around its new bytes. When
    // `loaded` is not shown() (the box could not show the text as it is), no
    // stored byte can be placed and the whole of `edited` is encoded.
    QByteArray bytesFor(const QString &loaded, const QString &edited) const;
    // What bytesFor does with what CP949 cannot hold.
    TextLoss loss(const QString &loaded, const QString &edited) const;

private:
    // The stretch of `edited` that replaces characters [from, to) of
    // `loaded`: the common head and tail stay.
    struct Change
    {
        qsizetype from = 0;
        qsizetype to = 0;
        QString text;
    };
    static Change changeOf(const QString &loaded, const QString &edited);

    QByteArray m_stored;
    QString m_shown;
    // For each shown character, and once more for the end: where the bytes
    // that go with it begin (the carriage returns before it first).
    QList<qsizetype> m_groupStart;
};

} // namespace core
