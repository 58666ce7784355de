#pragma once
// The contents of a profile (INI) file held as its original bytes, line by
// line, so that an update rewrites exactly one line and every other byte --
// comments, order, blank lines, line endings, even undecodable bytes -- stays
// as it was. No file access here: ProfileFile adds the disk, locking and
// atomic replacement.
//
// Names of sections and keys match without regard to letter case and to
// blanks around them. Lines before the first section, comment lines (";")
// and lines without "=" are kept but never match.
#include <QByteArray>
#include <QString>
#include <QVector>

namespace platform {

class ProfileText
{
public:
    enum class Encoding { Utf8, Cp949 };

    // Never fails: any bytes give some text. Bytes that are valid UTF-8 (pure
    // ASCII included) are UTF-8, anything else is taken as CP949.
    static ProfileText parse(const QByteArray &bytes);

    // An empty text for a file that does not exist yet (UTF-8).
    ProfileText() = default;

    Encoding encoding() const { return m_encoding; }
    QByteArray bytes() const;

    // The value of the first matching key in the first section that holds it,
    // blanks around it removed, then one pair of surrounding double quotes;
    // "" when the section or key is missing.
    QString value(const QString &section, const QString &key) const;
    bool contains(const QString &section, const QString &key) const;

    // Updates the value in place (the key's stored spelling is kept), or
    // appends the key at the end of its section, or appends the section at
    // the end of the text. False, and nothing changed, when the value cannot
    // be stored: a line break or NUL in it, an empty or malformed name, or a
    // character the text's encoding (CP949) cannot hold.
    //
    // Should a write leave CP949 text whose bytes also read as valid UTF-8
    // (and so would be misread), the text is turned into UTF-8 as a whole.
    bool set(const QString &section, const QString &key, const QString &value);

    // The line ending used for lines this text adds: the first one found in
    // the original bytes, else the platform's own.
    QByteArray lineEnding() const { return m_eol; }

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        QByteArray raw;   // without its line ending
        QByteArray eol;   // "\n", "\r\n" or "" (last line without one)
        Kind kind = Kind::Other;
        QString name;     // normalised section or key name
        int valueStart = 0; // Entry: byte offset just after "="
    };

    static QString normal(const QString &name);
    QString decode(const QByteArray &raw) const;
    bool encode(const QString &text, QByteArray *out) const;
    void classify(Line &line) const;
    int findKey(const QString &section, const QString &key) const;
    bool store(const QString &section, const QString &key, const QString &value);
    bool keepsCp949Readable();

    QVector<Line> m_lines;
    Encoding m_encoding = Encoding::Utf8;
    QByteArray m_eol;
    QByteArray m_bom; // a UTF-8 byte order mark, kept as it was
};

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool isValidUtf8(const QByteArray &bytes);

} // namespace platform
