#pragma once
// One editing copy per user and program receives the files that later starts
// are given: a later start with files puts them in a queue and ends. The
// queue is a folder beside the channel in the runtime folder, one file per
// hand-over, so a hand-over waits however long the running copy is busy, and
// one that a copy took but never opened (it died first) is still there for
// the next start. Entries are taken off the queue only once their files are
// open. Channel and queue live in a folder of this user's own; the queue
// reads nothing but this user's regular files (see handover_queue.h).
#include <QObject>
#include <QSet>
#include <QStringList>

#include <optional>

class QLocalServer;
class QLocalSocket;

namespace platform {

class HandOverQueueFolder;

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The channel of this user and this program file: a socket in the
    // user's private runtime folder; empty when the user has none, and then
    // every copy edits on its own. The variable STORYLOOM_INSTANCE, when
    // set, replaces it.
    static QString defaultName(const QString &programPath);
    // The queue folder of a channel (empty for an empty name).
    static QString queueFolder(const QString &name);

    // A hand-over as stored in the queue, and back; nullopt for anything not
    // written by encodeHandOver (cut short, not UTF-8, empty paths).
    static QByteArray encodeHandOver(const QStringList &paths);
    static std::optional<QStringList> decodeHandOver(const QByteArray &bytes);

    // Puts paths at the end of the queue of name. Returns the entry's id,
    // empty when the queue could not be written or its folder is not this
    // user's own with mode 0700.
    static QString enqueue(const QString &name, const QStringList &paths);
    // Removes an entry that its own copy opens after all.
    static void withdraw(const QString &name, const QString &entry);
    // True when a copy receives on name, also one that is busy or stopped
    // (the system accepts the connection for it); the copy is woken to look
    // at its queue at once.
    static bool copyRunning(const QString &name);

    explicit SingleInstance(QString name, QObject *parent = nullptr);
    ~SingleInstance() override;

    const QString &name() const { return m_name; }

    // Starts receiving hand-overs. False when another live copy already
    // receives them; a channel left behind by a copy that died is taken over.
    bool listen();
    bool isListening() const;
    // For a copy that is not the receiver, at every tick: the copy that
    // answered may have been dying (it answers until its process is gone).
    // Listens as soon as that copy is gone; stops trying once a live copy
    // has answered. Never waits.
    void retryListen();
    // A live receiving copy answered retryListen: this copy edits on its own.
    bool liveCopyAnswered() const { return m_liveCopyAnswered; }

    // The paths of queue entries not taken yet, oldest first (nothing while
    // not listening or when the queue folder is not private). The entries
    // stay in the queue, marked taken by this copy, until finish(). Entries
    // that are not this user's regular files are removed unread, those that
    // hold no hand-over once read.
    QStringList takePending();
    bool hasPending() const;
    // The entries taken and not finished.
    QStringList takenEntries() const { return m_takenOrder; }
    // The files of these entries are open (or failed with a message): the
    // entries leave the queue.
    void finish(const QStringList &entries);

signals:
    // Another copy knocked: the queue may hold something new.
    void received();

private:
    void onNewConnection();
    void dropProbe();
    QStringList untakenEntries(const HandOverQueueFolder &folder) const;

    QString m_name;
    QLocalServer *m_server = nullptr;
    // The connection that waits for the answering copy's word or its end.
    QLocalSocket *m_probe = nullptr;
    bool m_liveCopyAnswered = false;
    QSet<QString> m_taken;
    QStringList m_takenOrder;
};

} // namespace platform
