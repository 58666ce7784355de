#include "core/exe_patch.h"

#include "core/key_codec.h"
#include "core/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace core {

namespace {

const QString kSourceName = QStringLiteral("ekd5_2.exe");
const QString kTargetName = QStringLiteral("ekd5_3.exe");

// Single bytes, as 1-based file positions (offset + 1), written in this order.
struct BytePatch {
    qsizetype position;
    char value;
};
constexpr BytePatch kBytePatches[] = {
    {581201, 0x78}, {581205, 0x78}, {581441, 0x78}, {581445, 0x78}, {713823, 0x30},
    {713860, 0x30}, {713897, 0x30}, {713525, 0x78}, {713527, 0x78},
};

// The replacement procedure (200 bytes of x86 code) and its 0-based offset.
constexpr qsizetype kBlockOffset = 713013;
const char *const kBlockHex[] = {
    "55 8B EC 83 EC 04 FF 35 04 6F 58 00 6A 78 6A 78 FF 35 3C 6F 58 00 FF 35 40 6F 58 00 FF 75 08 E8",
    "55 7F F2 FF FF 35 0C 6F 58 00 6A 50 6A 08 A1 3C 6F 58 00 83 C0 1D 50 8B 0D 40 6F 58 00 0F B6 05",
    "44 6F 58 00 85 C0 74 09 81 C1 88 00 00 00 51 EB 07 81 E9 5E 01 00 00 51 FF 75 08 E8 19 7F F2 FF",
    "FF 35 10 6F 58 00 6A 50 6A 08 A1 3C 6F 58 00 83 C0 1D 50 8B 0D 40 6F 58 00 0F B6 05 44 6F 58 00",
    "85 C0 74 09 81 C1 D1 01 00 00 51 EB 04 83 E9 16 51 FF 75 08 E8 E0 7E F2 FF 0F B6 05 38 6F 58 00",
    "85 C0 74 1E FF 35 18 6F 58 00 6A 18 6A 18 FF 35 48 6F 58 00 FF 35 4C 6F 58 00 FF 75 08 E8 B7 7E",
    "F2 FF 8B E5 5D C2 04 00",
};

QString blockHex()
{
    QString hex;
    for (const char *part : kBlockHex)
        hex += QLatin1String(part) + u' ';
    return hex;
}

constexpr qsizetype kBlockLength = 200;

// The folder may hold the file under another letter case (copied from a
// case-insensitive file system).
QString findInFolder(const QDir &dir, const QString &name)
{
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return QString();
}

ExePatchResult failure(const QString &message) { return {false, message}; }

} // namespace

qsizetype exePatchMinimumSize()
{
    qsizetype highest = kBlockOffset + kBlockLength;
    for (const BytePatch &p : kBytePatches)
        highest = std::max(highest, p.position);  // 1-based position = offset + 1
    return highest;
}

ExePatchResult exePatch() { return exePatch(readINI(QStringLiteral("Folder"), QStringLiteral("Path")).trimmed()); }

ExePatchResult exePatch(const QString &gameFolder)
{
    const QString folder = gameFolder.trimmed();
    if (folder.isEmpty())
        return failure(QStringLiteral("게임 폴더가 설정되어 있지 않습니다. 먼저 폴더를 설정해 주세요."));
    const QDir dir(folder);
    if (!dir.exists())
        return failure(QStringLiteral("게임 폴더를 찾을 수 없습니다: %1").arg(QDir::toNativeSeparators(folder)));

    const QString sourcePath = findInFolder(dir, kSourceName);
    if (sourcePath.isEmpty())
        return failure(QStringLiteral("%1 파일이 게임 폴더에 없습니다.").arg(kSourceName));
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("%1 파일을 읽을 수 없습니다: %2").arg(kSourceName, source.errorString()));
    QByteArray image = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return failure(QStringLiteral("%1 파일을 읽을 수 없습니다: %2").arg(kSourceName, source.errorString()));
    source.close();

    const qsizetype sourceSize = image.size();
    const qsizetype needed = exePatchMinimumSize();
    if (image.size() < needed)
        return failure(QStringLiteral("%1 파일이 너무 짧습니다 (%2 바이트, 최소 %3 바이트 필요). 올바른 실행 파일이 아닙니다.")
                           .arg(kSourceName)
                           .arg(image.size())
                           .arg(needed));

    for (const BytePatch &p : kBytePatches)
        image[p.position - 1] = p.value;
    if (!writeHexAt(blockHex(), int(kBlockOffset), image) || image.size() != sourceSize)
        return failure(QStringLiteral("패치 데이터가 잘못되었습니다."));

    QSaveFile target(dir.filePath(kTargetName));
    if (!target.open(QIODevice::WriteOnly) || target.write(image) != image.size() || !target.commit())
        return failure(QStringLiteral("%1 파일을 쓸 수 없습니다: %2").arg(kTargetName, target.errorString()));
    return {true, QStringLiteral("GODD")};
}

} // namespace core
