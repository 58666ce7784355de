#include "platform/profile_file.h"

#include "platform/profile_text.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace platform {

namespace {
// Reads the whole file. A missing file is empty; a file that exists but
// cannot be read is a failure, so a write never replaces it blindly.
bool readAll(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.exists()) {
        bytes->clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}
} // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

bool ProfileFile::exists() const { return QFileInfo::exists(m_path); }

QString ProfileFile::read(const QString &section, const QString &key) const
{
    QByteArray bytes;
    if (m_path.isEmpty() || !readAll(m_path, &bytes))
        return QString();
    return ProfileText::parse(bytes).value(section, key);
}

bool ProfileFile::write(const QString &section, const QString &key, const QString &value)
{
    if (m_path.isEmpty())
        return false;
    // Refuse what cannot be stored before touching the disk at all.
    if (!ProfileText().set(section, key, value))
        return false;

    QLockFile lock(lockPath());
    if (!lock.tryLock(m_lockTimeoutMs))
        return false;

    QByteArray before;
    if (!readAll(m_path, &before))
        return false;
    ProfileText text = ProfileText::parse(before);
    if (!text.set(section, key, value))
        return false;
    const QByteArray after = text.bytes();
    if (after == before && exists())
        return true;

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(after) != after.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace platform
