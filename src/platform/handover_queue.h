#pragma once
// The folder that holds the hand-over queue, opened so that nothing another
// user planted is ever read: the folder must be this user's own with mode
// 0700 and no symbolic link, and an entry is read only when it is a regular
// file of this user, without following a link and without blocking, and
// never beyond a given size.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// A folder of this user's own for the channel and its queue: the runtime
// folder when it is private, else a folder of its own (mode 0700) in the
// temporary folder; empty when neither is usable.
QString privateRuntimeFolder();

class HandOverQueueFolder
{
public:
    // Opens folder, or creates it first (mode 0700) when create is set and
    // it is missing. isOpen() is false for anything but a private folder.
    explicit HandOverQueueFolder(const QString &folder, bool create = false);
    ~HandOverQueueFolder();
    HandOverQueueFolder(const HandOverQueueFolder &) = delete;
    HandOverQueueFolder &operator=(const HandOverQueueFolder &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    const QString &path() const { return m_path; }

    // Names in the folder that end with suffix, in name order.
    QStringList entries(const QString &suffix) const;
    // The bytes of entry when it is a regular file of this user of at most
    // maxBytes; nullopt for anything else, which is then not even opened.
    std::optional<QByteArray> read(const QString &entry, qint64 maxBytes) const;
    // Removes entry itself (a link, not what it points to).
    void remove(const QString &entry) const;

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace platform
