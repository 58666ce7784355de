#include "core/settings.h"

#include "platform/profile_check.h"
#include "platform/profile_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <climits>
#include <cmath>

namespace core {

namespace {
const QString kIniName = QStringLiteral("Q_T.ini");

QString &iniPathStorage()
{
    static QString path;
    return path;
}

// A folder counts as writable only when a file can really be made in it:
// permission bits lie on read-only mounts and for the superuser.
bool canCreateFilesIn(const QString &dir)
{
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".storyloom-probe-XXXXXX")));
    return probe.open();
}

QString withSlash(QString dir)
{
    if (!dir.endsWith('/'))
        dir += '/';
    return dir;
}
} // namespace

QString appPath()
{
    const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                     : QDir::currentPath();
    return withSlash(QDir::fromNativeSeparators(dir));
}

QString chooseIniPath(const QString &appDir, const QString &configDir)
{
    if (canCreateFilesIn(appDir) || configDir.isEmpty())
        return withSlash(appDir) + kIniName;
    QDir().mkpath(configDir);
    return withSlash(configDir) + kIniName;
}

QString iniPath()
{
    if (iniPathStorage().isEmpty()) {
        const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        iniPathStorage() = chooseIniPath(appPath(), config);
    }
    return iniPathStorage();
}

namespace {

// Names match as in the file: without regard to case or surrounding blanks.
QString sessionName(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + QLatin1Char('\n') + key.trimmed().toLower();
}

QHash<QString, QString> &sessionValues()
{
    static QHash<QString, QString> values;
    return values;
}

} // namespace

void setIniPath(const QString &path)
{
    iniPathStorage() = path;
    sessionValues().clear();
}

void setSessionValue(const QString &section, const QString &key, const QString &value)
{
    if (value.isEmpty())
        sessionValues().remove(sessionName(section, key));
    else
        sessionValues().insert(sessionName(section, key), value);
}

QString readINI(const QString &section, const QString &key, const QString &file)
{
    return platform::ProfileFile(file).read(section, key);
}

QString readINI(const QString &section, const QString &key)
{
    const QString stored = readINI(section, key, iniPath());
    if (!stored.isEmpty() || sessionValues().isEmpty())
        return stored;
    return sessionValues().value(sessionName(section, key));
}

bool writeINI(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return platform::ProfileFile(file).write(section, key, value);
}

bool writeINI(const QString &section, const QString &key, const QString &value)
{
    return writeINI(section, key, value, iniPath());
}

bool parseLeadingNumber(const QString &text, double *value)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    const qsizetype digitsFrom = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        ++i;
    bool digits = i > digitsFrom;
    if (i < t.size() && t[i] == '.') {
        ++i;
        const qsizetype fracFrom = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i;
        digits = digits || i > fracFrom;
    }
    if (!digits)
        return false;
    bool ok = false;
    const double v = t.left(i).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

bool parseSettingBool(const QString &text, bool *value)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        *value = true;
        return true;
    }
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        *value = false;
        return true;
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return false;
    *value = v != 0;
    return true;
}

int readIntSetting(const QString &section, const QString &key, int fallback, int min, int max)
{
    double v = 0;
    if (!parseLeadingNumber(readINI(section, key), &v))
        return fallback;
    v = std::nearbyint(v); // half to even under the default rounding mode
    if (v < double(min) || v > double(max))
        return fallback;
    return int(v);
}

qint64 readHexSetting(const QString &section, const QString &key, qint64 fallback)
{
    QString t = readINI(section, key);
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
        || t.startsWith(QLatin1String("&h"), Qt::CaseInsensitive))
        t.remove(0, 2);
    bool ok = false;
    const qint64 v = t.toLongLong(&ok, 16);
    return ok && v >= 0 ? v : fallback;
}

bool readBoolSetting(const QString &section, const QString &key, bool fallback)
{
    bool v = false;
    return parseSettingBool(readINI(section, key), &v) ? v : fallback;
}

double readDoubleSetting(const QString &section, const QString &key, double fallback)
{
    bool ok = false;
    const double v = readINI(section, key).toDouble(&ok);
    return ok && std::isfinite(v) ? v : fallback;
}

CharSelectMode charSelectModeFromText(const QString &text)
{
    double v = 0;
    const QString t = text.trimmed();
    bool ok = false;
    v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return CharSelectMode::List;
    v = std::nearbyint(v);
    if (v < 0 || v > 255 || v == 0)
        return CharSelectMode::List;
    return v == 1 ? CharSelectMode::Number : CharSelectMode::Name;
}

CharSelectMode loadCharSelectOption()
{
    return charSelectModeFromText(readINI(QStringLiteral("Option"), QStringLiteral("Char_Select")));
}

QString settingsFileProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QString head = QStringLiteral("설정 파일을 읽을 수 없습니다: %1\r\n").arg(QDir::toNativeSeparators(path));
    const QString after = QStringLiteral("\r\n이 파일의 설정은 쓰이지 않고 기본값으로 진행합니다.");
    if (!info.isFile())
        return head + QStringLiteral("파일이 아니라 폴더(또는 장치)입니다.") + after;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return head + QStringLiteral("읽기 권한이 없거나 디스크에 문제가 있습니다.") + after;
    // A settings file is a few kilobytes; the start tells what it is.
    const QByteArray bytes = file.read(4 * 1024 * 1024);
    if (file.error() != QFileDevice::NoError)
        return head + QStringLiteral("읽기 권한이 없거나 디스크에 문제가 있습니다.") + after;
    switch (platform::checkProfileBytes(bytes)) {
    case platform::ProfileReadability::Fine:
    case platform::ProfileReadability::Empty:
        return {};
    case platform::ProfileReadability::NotText:
        return head + QStringLiteral("텍스트 파일이 아닙니다(UTF-16으로 저장되었거나 손상된 파일입니다).") + after;
    case platform::ProfileReadability::NoEntry:
        return head + QStringLiteral("\"[구역]\" 아래 \"이름=값\" 형식의 항목이 하나도 없습니다.") + after;
    }
    return {};
}

} // namespace core
