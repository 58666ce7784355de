// The game-folder loader on a folder made from the input: "Data.e5",
// "star.e5" and "Ekd5.exe", their lengths from the first 6 bytes (a length
// of 0xFFFF makes that name a folder instead). The settings put the
// executable's troop names at 0x40 and unit models at 0x200. Whatever they hold, the load
// ends with full-size tables and a message for each problem.
#include "core/game/game_data.h"
#include "core/settings.h"
#include "fuzz_common.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {
void place(const QDir &dir, const QString &name, const QByteArray &bytes, bool asFolder)
{
    const QString path = dir.filePath(name);
    QFile::remove(path);
    QDir(path).removeRecursively();
    if (asFolder) {
        dir.mkdir(name);
        return;
    }
    QFile f(path);
    fuzzing::check(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    static const bool settingsSet = [] {
        // The default file names; the executable's tables moved near its
        // start so a small input holds them.
        const QString ini = QDir(folder.path()).filePath(QStringLiteral("Q_T.ini"));
        QFile f(ini);
        fuzzing::check(f.open(QIODevice::WriteOnly));
        f.write("[Setting]\nTroopNameAddress=40\nTroopNameLength=9\nTroopCount=80\nUnitModelAddress=200\n");
        f.close();
        core::setIniPath(ini);
        return true;
    }();
    (void)settingsSet;
    if (size < 6)
        return 0;
    const QDir dir(folder.path());
    const char *names[] = {"Data.e5", "star.e5", "Ekd5.exe"};
    std::size_t at = 6;
    for (int i = 0; i < 3; ++i) {
        const std::size_t len = std::size_t(data[2 * i]) << 8 | data[2 * i + 1];
        const bool asFolder = len == 0xFFFF;
        const std::size_t take = asFolder ? 0 : std::min(len, size - at);
        place(dir, QString::fromLatin1(names[i]),
              QByteArray(reinterpret_cast<const char *>(data + at), qsizetype(take)), asFolder);
        at += take;
    }
    core::game::GameData game;
    const core::game::GameLoadReport report = core::game::gameDataLoad(game, folder.path());
    fuzzing::check(game.names.charNames.size() == 5124);
    fuzzing::check(game.names.itemNames.size() == 116);
    for (const QString &m : report.messages)
        fuzzing::check(!m.isEmpty());
    return 0;
}
