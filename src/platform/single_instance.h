#pragma once
// One editing copy per user and program receives the files that later starts
// are given: a later start with files hands them over and ends. Hand-overs
// are queued in arrival order, so files sent close together all arrive.
#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace platform {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The channel name for this user and this program file; the variable
    // STORYLOOM_INSTANCE, when set, replaces it (tests keep their copies
    // apart from a running editor that way).
    static QString defaultName(const QString &programPath);

    explicit SingleInstance(QString name, QObject *parent = nullptr);
    ~SingleInstance() override;

    const QString &name() const { return m_name; }

    // Sends paths to the copy that listens on name. True only when that copy
    // confirmed it has queued them; false when none runs or it did not answer
    // within timeoutMs.
    static bool sendToRunning(const QString &name, const QStringList &paths, int timeoutMs = 2000);

    // Starts receiving hand-overs. False when another live copy already
    // receives them (this copy is then an independent window); a channel left
    // behind by a copy that crashed is taken over.
    bool listen();
    bool isListening() const;

    bool hasPending() const { return !m_pending.isEmpty(); }
    // The paths received so far, oldest first; the queue is empty afterwards.
    QStringList takePending();

signals:
    // Paths were added to the queue.
    void received();

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket *socket);

    QString m_name;
    QLocalServer *m_server = nullptr;
    QStringList m_pending;
};

} // namespace platform
