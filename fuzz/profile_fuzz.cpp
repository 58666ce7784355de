// Fuzz target of the profile (INI) parser: any bytes must parse without
// reading past the buffer, give back exactly the bytes they came from, and
// take a write that the next read sees.
#include "platform/profile_text.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using platform::ProfileText;

namespace {
void check(bool ok)
{
    if (!ok)
        std::abort();
}

// A name picked from the input itself, so the fuzzer can steer which
// section and key it hits.
QString nameFrom(const QByteArray &bytes, qsizetype at, qsizetype len)
{
    return QString::fromLatin1(bytes.mid(at, len));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ProfileText text = ProfileText::parse(bytes);
    check(text.bytes() == bytes);

    const QString section = nameFrom(bytes, 1, 4), key = nameFrom(bytes, 6, 3);
    (void)text.value(section, key);
    (void)text.value(QStringLiteral("Folder"), QStringLiteral("Path"));

    const QString values[] = {QStringLiteral("v"), QStringLiteral(" C:\\게임 "), QString()};
    const QString sections[] = {section, QStringLiteral("Folder")};
    const QString keys[] = {key, QStringLiteral("Path ")};
    for (const QString &s : sections) {
        for (const QString &k : keys) {
            for (const QString &v : values) {
                ProfileText edited = text;
                if (!edited.set(s, k, v))
                    continue;
                const QByteArray once = edited.bytes();
                const ProfileText reread = ProfileText::parse(once);
                // CP949 text moves to UTF-8 only when its bytes became valid UTF-8.
                check(reread.encoding() == text.encoding()
                      || (text.encoding() == ProfileText::Encoding::Cp949 && platform::isValidUtf8(once)));
                check(reread.value(s, k) == v.trimmed());
                // Writing the same value again changes nothing.
                ProfileText again = reread;
                check(again.set(s, k, v));
                check(again.bytes() == once);
            }
        }
    }
    return 0;
}
