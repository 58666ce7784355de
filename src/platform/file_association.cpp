#include "platform/file_association.h"

#include "platform/profile_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform {

namespace {

QString xdgHome(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    // The rules say a relative value is invalid and to be ignored.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + fallback;
}

// Writes text unless the file already holds exactly it. Returns whether the
// file holds it afterwards; *changed tells whether it was written.
bool writeIfDifferent(const QString &path, const QByteArray &content, bool *changed)
{
    *changed = false;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return true;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(content);
    *changed = out.commit();
    return *changed;
}

QByteArray mimePackage()
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                      "  <mime-type type=\"")
        + kScenarioMimeType
        + QByteArray("\">\n"
                     "    <comment>Storyloom scenario</comment>\n"
                     "    <comment xml:lang=\"ko\">Storyloom 시나리오</comment>\n"
                     "    <glob pattern=\"*.eex\"/>\n"
                     "  </mime-type>\n"
                     "</mime-info>\n");
}

QByteArray desktopEntry(const QString &programPath)
{
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=Storyloom\n");
    text += QStringLiteral("Comment=Scenario editor\n");
    text += QStringLiteral("Comment[ko]=시나리오 편집기\n");
    text += QStringLiteral("Exec=") + desktopExecLine(programPath) + QLatin1Char('\n');
    text += QStringLiteral("MimeType=") + QString::fromLatin1(kScenarioMimeType) + QStringLiteral(";\n");
    text += QStringLiteral("Terminal=false\n");
    text += QStringLiteral("NoDisplay=false\n");
    return text.toUtf8();
}

} // namespace

AssociationPaths associationFiles()
{
    const QString data = xdgHome("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    const QString config = xdgHome("XDG_CONFIG_HOME", QStringLiteral("/.config"));
    return {data + QStringLiteral("/mime/packages/storyloom-eex.xml"),
            data + QStringLiteral("/applications/") + QString::fromLatin1(kDesktopFileName),
            config + QStringLiteral("/mimeapps.list")};
}

QString desktopExecLine(const QString &programPath)
{
    // Inside double quotes the Exec rules escape " ` $ and \ with a
    // backslash; the desktop file's own string rules then double every
    // backslash once more.
    QString quoted;
    for (const QChar c : programPath) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QStringLiteral("\" %f");
}

bool registerFileAssociation(const QString &programPath)
{
    const AssociationPaths paths = associationFiles();
    bool ok = true;

    bool mimeChanged = false;
    ok = writeIfDifferent(paths.mimePackage, mimePackage(), &mimeChanged) && ok;
    bool desktopChanged = false; // the desktop entry needs no cache
    ok = writeIfDifferent(paths.desktopEntry, desktopEntry(QFileInfo(programPath).absoluteFilePath()),
                          &desktopChanged)
        && ok;

    // mimeapps.list belongs to the user and holds other programs' entries:
    // change our one line and keep the rest.
    QDir().mkpath(QFileInfo(paths.mimeApps).absolutePath());
    ProfileFile mimeApps(paths.mimeApps);
    const QString type = QString::fromLatin1(kScenarioMimeType);
    const QString desktop = QString::fromLatin1(kDesktopFileName);
    if (mimeApps.read(QStringLiteral("Default Applications"), type) != desktop)
        ok = mimeApps.write(QStringLiteral("Default Applications"), type, desktop) && ok;
    const QString added = mimeApps.read(QStringLiteral("Added Associations"), type);
    if (!added.split(QLatin1Char(';'), Qt::SkipEmptyParts).contains(desktop))
        ok = mimeApps.write(QStringLiteral("Added Associations"), type, desktop + QLatin1Char(';') + added) && ok;

    if (mimeChanged) {
        // The glob only takes effect once the user's MIME cache is rebuilt;
        // the tool may be missing, which changes nothing else.
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (!tool.isEmpty())
            QProcess::startDetached(tool, {QDir::cleanPath(QFileInfo(paths.mimePackage).absolutePath() + QStringLiteral("/.."))});
    }
    return ok;
}

} // namespace platform
