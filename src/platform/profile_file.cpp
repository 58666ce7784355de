#include "platform/profile_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace platform {

namespace {
QString normal(const QString &name) { return name.trimmed().toLower(); }

QStringList readLines(const QString &path, bool *crlf)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    if (crlf)
        *crlf = data.contains("\r\n");
    QString text = QString::fromUtf8(data);
    text.replace("\r\n", "\n");
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool isSectionLine(const QString &line, QString *name)
{
    const QString t = line.trimmed();
    if (!t.startsWith('[') || !t.contains(']'))
        return false;
    if (name)
        *name = t.mid(1, t.indexOf(']') - 1);
    return true;
}
} // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

bool ProfileFile::exists() const { return QFileInfo::exists(m_path); }

QString ProfileFile::read(const QString &section, const QString &key) const
{
    const QStringList lines = readLines(m_path, nullptr);
    const QString wantSection = normal(section), wantKey = normal(key);
    bool inSection = false;
    for (const QString &line : lines) {
        QString name;
        if (isSectionLine(line, &name)) {
            inSection = normal(name) == wantSection;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || line.trimmed().startsWith(';'))
            continue;
        if (normal(line.left(eq)) == wantKey)
            return line.mid(eq + 1).trimmed();
    }
    return QString();
}

bool ProfileFile::write(const QString &section, const QString &key, const QString &value)
{
    if (value.contains('\r') || value.contains('\n') || section.trimmed().isEmpty() || key.trimmed().isEmpty())
        return false;
    bool crlf = false;
    QStringList lines = readLines(m_path, &crlf);
    const QString wantSection = normal(section), wantKey = normal(key);
    int sectionLine = -1, lastInSection = -1;
    bool inSection = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSectionLine(lines[i], &name)) {
            inSection = normal(name) == wantSection;
            if (inSection && sectionLine < 0) {
                sectionLine = i;
                lastInSection = i;
            } else if (inSection) {
                lastInSection = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].trimmed().isEmpty())
            lastInSection = i;
        const qsizetype eq = lines[i].indexOf('=');
        if (eq >= 0 && !lines[i].trimmed().startsWith(';') && normal(lines[i].left(eq)) == wantKey) {
            lines[i] = lines[i].left(eq) + '=' + value;
            goto save;
        }
    }
    if (sectionLine < 0) {
        lines << ('[' + section.trimmed() + ']');
        lines << (key.trimmed() + '=' + value);
    } else {
        lines.insert(lastInSection + 1, key.trimmed() + '=' + value);
    }
save:
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QString eol = crlf ? "\r\n" : "\n";
    out.write((lines.join(eol) + eol).toUtf8());
    return out.commit();
}

} // namespace platform
