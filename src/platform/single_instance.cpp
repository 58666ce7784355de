#include "platform/single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace platform {

namespace {

// Message layout: a 32-bit byte count, then a QDataStream of a QStringList.
// The receiver answers with one byte once the paths are queued.
constexpr char kAck = 'K';
constexpr quint32 kMaxMessage = 16u * 1024u * 1024u;

QByteArray encode(const QStringList &paths)
{
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << paths;
    }
    QByteArray message;
    QDataStream head(&message, QIODevice::WriteOnly);
    head.setVersion(QDataStream::Qt_6_0);
    head << quint32(body.size());
    message.append(body);
    return message;
}

bool liveCopyAnswers(const QString &name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool live = probe.waitForConnected(500);
    probe.abort();
    return live;
}

} // namespace

QString SingleInstance::defaultName(const QString &programPath)
{
    const QByteArray overridden = qgetenv("STORYLOOM_INSTANCE");
    if (!overridden.isEmpty())
        return QString::fromLocal8Bit(overridden);
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    const QByteArray program = QFileInfo(programPath).absoluteFilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(program, QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("storyloom-%1-%2").arg(user, QString::fromLatin1(hash));
}

SingleInstance::SingleInstance(QString name, QObject *parent) : QObject(parent), m_name(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::sendToRunning(const QString &name, const QStringList &paths, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    const QDeadlineTimer deadline(timeoutMs);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    socket.write(encode(paths));
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    char answer = 0;
    const bool confirmed = socket.read(&answer, 1) == 1 && answer == kAck;
    socket.disconnectFromServer();
    return confirmed;
}

bool SingleInstance::listen()
{
    if (isListening())
        return true;
    // Listening with access options replaces whatever socket file is there,
    // a live copy's included, so ask first.
    if (liveCopyAnswers(m_name))
        return false;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_name)) {
        // Either a live copy owns the name or a crashed one left its socket.
        if (server->serverError() != QAbstractSocket::AddressInUseError || liveCopyAnswers(m_name)) {
            delete server;
            return false;
        }
        QLocalServer::removeServer(m_name);
        if (!server->listen(m_name)) {
            delete server;
            return false;
        }
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

bool SingleInstance::isListening() const { return m_server && m_server->isListening(); }

QStringList SingleInstance::takePending()
{
    QStringList taken;
    taken.swap(m_pending);
    return taken;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void SingleInstance::onReadyRead(QLocalSocket *socket)
{
    if (socket->property("done").toBool())
        return;
    if (socket->bytesAvailable() < qint64(sizeof(quint32)))
        return;
    QDataStream head(socket->peek(sizeof(quint32)));
    head.setVersion(QDataStream::Qt_6_0);
    quint32 size = 0;
    head >> size;
    if (size > kMaxMessage) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (socket->bytesAvailable() < qint64(sizeof(quint32) + size))
        return;
    socket->read(sizeof(quint32));
    const QByteArray body = socket->read(size);
    QDataStream in(body);
    in.setVersion(QDataStream::Qt_6_0);
    QStringList paths;
    in >> paths;
    socket->setProperty("done", true);
    if (in.status() != QDataStream::Ok) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    for (const QString &p : std::as_const(paths)) {
        if (!p.isEmpty())
            m_pending.append(p);
    }
    socket->write(&kAck, 1);
    socket->flush();
    if (!paths.isEmpty())
        emit received();
}

} // namespace platform
