#include "core/game/game_files.h"

#include "core/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace core::game {

QString folderLoad()
{
    return readINI(QStringLiteral("Folder"), QStringLiteral("Path")).trimmed();
}

QString gameFilePath(const QString &folder, const QString &relative)
{
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    QString path = folder;
    const QStringList parts = relative.split(separators, Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QDir dir(path);
        QString chosen = part;
        if (!QFileInfo::exists(dir.filePath(part))) {
            const QStringList entries =
                dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
            for (const QString &e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    chosen = e;
                    break;
                }
            }
        }
        path = dir.filePath(chosen);
    }
    return path;
}

} // namespace core::game
