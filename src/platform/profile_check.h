#pragma once
// Whether a profile (INI) file's bytes can be read as settings at all: a
// file of garbage, UTF-16 text or another program's data reads as "every
// entry missing", which the editor would otherwise take for a fresh file.
#include <QByteArray>

namespace platform {

enum class ProfileReadability {
    Fine,     // at least one "key=value" line inside a "[section]"
    Empty,    // nothing but blanks and line breaks
    NotText,  // NUL bytes, a UTF-16 byte order mark, or control bytes
    NoEntry,  // text, but not one entry a read could find
};

ProfileReadability checkProfileBytes(const QByteArray &bytes);

} // namespace platform
