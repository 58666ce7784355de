#include "core/settings.h"

#include "platform/profile_file.h"

#include <QCoreApplication>
#include <QDir>

namespace core {

namespace {
QString &iniPathStorage()
{
    static QString path;
    return path;
}
} // namespace

QString AppPath()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString IniPath()
{
    if (iniPathStorage().isEmpty())
        iniPathStorage() = QDir(AppPath()).filePath(QStringLiteral("Q_T.ini"));
    return iniPathStorage();
}

void setIniPath(const QString &path) { iniPathStorage() = path; }

QString ReadINI(const QString &section, const QString &key)
{
    return platform::ProfileFile(IniPath()).read(section, key);
}

bool WriteINI(const QString &section, const QString &key, const QString &value)
{
    return platform::ProfileFile(IniPath()).write(section, key, value);
}

} // namespace core
