#include "platform/profile_check.h"

namespace platform {

namespace {

bool isLineBlank(char c) { return c == ' ' || c == '\t'; }

bool looksLikeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    qsizetype control = 0;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0)
            return false;
        if (u < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v' && u != 0x1A)
            ++control;
    }
    // A stray control byte in a hand-edited file is no reason to give up on it.
    return control * 100 <= bytes.size();
}

} // namespace

ProfileReadability checkProfileBytes(const QByteArray &input)
{
    const QByteArray bytes = input.startsWith("\xEF\xBB\xBF") ? input.sliced(3) : input;
    if (bytes.trimmed().isEmpty())
        return ProfileReadability::Empty;
    if (!looksLikeText(bytes))
        return ProfileReadability::NotText;
    // The same line rules as the profile reader: "[name]" opens a section,
    // "key=value" with a non-blank key inside one is an entry, ";" a comment.
    bool inSection = false;
    qsizetype from = 0;
    while (from <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = QByteArrayView(bytes).sliced(from, end - from);
        from = end + 1;
        qsizetype start = 0;
        while (start < line.size() && isLineBlank(line[start]))
            ++start;
        if (start >= line.size() || line[start] == ';')
            continue;
        if (line[start] == '[') {
            inSection = true;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!inSection || eq < 0)
            continue;
        if (!line.first(eq).trimmed().isEmpty())
            return ProfileReadability::Fine;
    }
    return ProfileReadability::NoEntry;
}

} // namespace platform
