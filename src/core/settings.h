#pragma once
// Program-wide access to the settings file "Q_T.ini". The path is set once at
// start-up (tests point it at a temporary file).
#include <QString>

namespace core {

QString AppPath();
QString IniPath();
void setIniPath(const QString &path);
QString ReadINI(const QString &section, const QString &key);
// False when the value could not be written.
bool WriteINI(const QString &section, const QString &key, const QString &value);

} // namespace core
