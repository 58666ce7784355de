// The executable patch on a made-up "ekd5_2.exe": it writes a patched copy
// of the same length or refuses with a message, and never changes its
// source. Input: 1 byte size change (signed, in steps of 16 bytes around the
// smallest size the patch takes), then the file's first bytes (the rest is
// zeros).
#include "core/exe_patch.h"
#include "fuzz_common.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    if (size < 1)
        return 0;
    const qsizetype length = std::max<qsizetype>(0, core::exePatchMinimumSize() + qsizetype(std::int8_t(data[0])) * 16);
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), std::min(qsizetype(size - 1), length));
    bytes.append(QByteArray(length - bytes.size(), '\0'));
    const QDir dir(folder.path());
    QFile::remove(dir.filePath(QStringLiteral("ekd5_3.exe")));
    {
        QFile source(dir.filePath(QStringLiteral("ekd5_2.exe")));
        fuzzing::check(source.open(QIODevice::WriteOnly | QIODevice::Truncate));
        source.write(bytes);
    }
    const core::ExePatchResult r = core::exePatch(folder.path());
    fuzzing::check(!r.message.isEmpty());
    QFile source(dir.filePath(QStringLiteral("ekd5_2.exe")));
    fuzzing::check(source.open(QIODevice::ReadOnly) && source.readAll() == bytes);
    if (r.ok) {
        QFile copy(dir.filePath(QStringLiteral("ekd5_3.exe")));
        fuzzing::check(copy.open(QIODevice::ReadOnly) && copy.size() == bytes.size());
    }
    return 0;
}
