#include "platform/handover_queue.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform {

namespace {

bool isPrivateFolder(const struct stat &st)
{
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0700;
}

bool isOwnRegularFile(const struct stat &st)
{
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

// The folder itself, not what a link in its place points to; -1 unless it
// is private.
int openPrivateFolder(const QString &path, bool create)
{
    if (path.isEmpty())
        return -1;
    const QByteArray native = QFile::encodeName(path);
    const bool created = create && ::mkdir(native.constData(), 0700) == 0;
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st;
    if (created && ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid())
        ::fchmod(fd, 0700); // the umask may have taken the owner's bits
    if (::fstat(fd, &st) != 0 || !isPrivateFolder(st)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool usablePrivateFolder(const QString &path, bool create)
{
    const int fd = openPrivateFolder(path, create);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

QString privateRuntimeFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (usablePrivateFolder(runtime, false))
        return runtime;
    // Never a name shared with other users: one per user id, checked.
    const QString own = QDir(QDir::tempPath()).filePath(QStringLiteral("storyloom-%1").arg(::geteuid()));
    if (usablePrivateFolder(own, true))
        return own;
    return {};
}

HandOverQueueFolder::HandOverQueueFolder(const QString &folder, bool create)
    : m_path(folder), m_fd(openPrivateFolder(folder, create))
{
}

HandOverQueueFolder::~HandOverQueueFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QStringList HandOverQueueFolder::entries(const QString &suffix) const
{
    QStringList names;
    if (m_fd < 0)
        return names;
    const int listFd = ::dup(m_fd);
    if (listFd < 0)
        return names;
    DIR *dir = ::fdopendir(listFd);
    if (!dir) {
        ::close(listFd);
        return names;
    }
    ::rewinddir(dir);
    while (const dirent *e = ::readdir(dir)) {
        const QString name = QFile::decodeName(e->d_name);
        if (name.endsWith(suffix) && name != suffix)
            names.append(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<QByteArray> HandOverQueueFolder::read(const QString &entry, qint64 maxBytes) const
{
    if (m_fd < 0)
        return std::nullopt;
    const QByteArray native = QFile::encodeName(entry);
    // Looked at before it is opened: a device, a pipe or a link is left alone.
    struct stat before;
    if (::fstatat(m_fd, native.constData(), &before, AT_SYMLINK_NOFOLLOW) != 0 || !isOwnRegularFile(before)
        || before.st_size > maxBytes)
        return std::nullopt;
    const int fd = ::openat(m_fd, native.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    // And again once open, in case it was replaced in between.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !isOwnRegularFile(st) || st.st_dev != before.st_dev || st.st_ino != before.st_ino) {
        ::close(fd);
        return std::nullopt;
    }
    // One byte more than its size tells a file that grew while being read:
    // entries are written whole under their name, so it is none of ours.
    QByteArray bytes(qsizetype(std::min<qint64>(st.st_size, maxBytes) + 1), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got > st.st_size || got > maxBytes)
        return std::nullopt;
    bytes.truncate(got);
    return bytes;
}

void HandOverQueueFolder::remove(const QString &entry) const
{
    if (m_fd >= 0)
        ::unlinkat(m_fd, QFile::encodeName(entry).constData(), 0);
}

} // namespace platform
