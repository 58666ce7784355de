#pragma once
// The one codec for game text: CP949 bytes on disk, QString in memory.
// Qt's name "CP949" selects IBM's table, which decodes some Hangul wrongly
// and turns unmappable characters into AF FE; ICU's "windows-949" is the
// table the game uses.
#include <QByteArray>
#include <QList>
#include <QString>

namespace platform {

class Cp949
{
public:
    // Bytes -> text. Each byte that starts no character becomes one U+FFFD,
    // and the byte after it is read afresh (a bad lead byte never swallows the
    // letter behind it); nothing is dropped silently from the caller's bytes
    // (they stay wherever the caller keeps them). With `starts`, it receives
    // the offset of each character's first byte, and then the byte count.
    static QString decode(const QByteArray &bytes, QList<qsizetype> *starts = nullptr);
    // Text -> bytes. A character CP949 cannot hold becomes "?" (0x3F).
    static QByteArray encode(const QString &text);
    // True when every character of the text has a CP949 code.
    static bool canEncode(const QString &text);
    // True when the bytes decode without a replacement character.
    static bool isValid(const QByteArray &bytes);
    // False only on a Qt built without ICU (the editor then cannot show text).
    static bool available();
};

} // namespace platform
