#include "platform/single_instance.h"

#include "platform/handover_queue.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSaveFile>
#include <QStringDecoder>

#include <atomic>

namespace platform {

namespace {

// An entry: this header line, then one line per path, each path UTF-8 with
// "%", CR, LF and NUL percent-escaped, every line ended by LF.
const QByteArray kHeader = QByteArrayLiteral("storyloom hand-over 1\n");
const QString kEntrySuffix = QStringLiteral(".handover");
constexpr qint64 kMaxEntryBytes = 1024 * 1024;
constexpr int kMaxPaths = 4096;
// A receiving copy says this to every connection once it has taken it: the
// system accepts connections for a copy that is stopped or dying too.
constexpr char kLiveWord = 'L';

bool liveCopyAnswers(const QString &name)
{
    if (name.isEmpty())
        return false;
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool live = probe.waitForConnected(500);
    probe.abort();
    return live;
}

// Names sort in arrival order: milliseconds, then process and a counter.
QString newEntryName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("%1-%2-%3")
        .arg(QDateTime::currentMSecsSinceEpoch(), 16, 10, QLatin1Char('0'))
        .arg(QCoreApplication::applicationPid(), 10, 10, QLatin1Char('0'))
        .arg(counter++, 6, 10, QLatin1Char('0'));
}

} // namespace

QString SingleInstance::defaultName(const QString &programPath)
{
    const QByteArray overridden = qgetenv("STORYLOOM_INSTANCE");
    if (!overridden.isEmpty())
        return QString::fromLocal8Bit(overridden);
    const QString folder = privateRuntimeFolder();
    if (folder.isEmpty())
        return {};
    const QByteArray program = QFileInfo(programPath).absoluteFilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(program, QCryptographicHash::Sha1).toHex().left(12);
    return QDir(folder).filePath(QStringLiteral("storyloom-%1").arg(QString::fromLatin1(hash)));
}

QString SingleInstance::queueFolder(const QString &name)
{
    // A bare name is a socket in the temporary folder; its queue goes to the
    // private runtime folder all the same.
    if (name.isEmpty())
        return {};
    if (QDir::isAbsolutePath(name))
        return name + QStringLiteral(".queue");
    const QString folder = privateRuntimeFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name + QStringLiteral(".queue"));
}

QByteArray SingleInstance::encodeHandOver(const QStringList &paths)
{
    QByteArray out = kHeader;
    for (const QString &p : paths) {
        if (p.isEmpty())
            continue;
        out += p.toUtf8().toPercentEncoding(QByteArray(), QByteArrayLiteral("%\r\n"));
        out += '\n';
    }
    return out;
}

std::optional<QStringList> SingleInstance::decodeHandOver(const QByteArray &bytes)
{
    if (bytes.size() > kMaxEntryBytes || !bytes.startsWith(kHeader) || !bytes.endsWith('\n'))
        return std::nullopt;
    QStringList paths;
    const QByteArrayView body = QByteArrayView(bytes).sliced(kHeader.size());
    qsizetype from = 0;
    while (from < body.size()) {
        const qsizetype end = body.indexOf('\n', from);
        const QByteArrayView line = body.sliced(from, end - from);
        from = end + 1;
        if (line.isEmpty() || line.contains('\r') || line.contains('\0') || paths.size() >= kMaxPaths)
            return std::nullopt;
        const QByteArray raw = QByteArray::fromPercentEncoding(line.toByteArray());
        if (raw.isEmpty() || raw.contains('\0'))
            return std::nullopt;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString path = utf8(raw);
        if (utf8.hasError())
            return std::nullopt;
        paths.append(path);
    }
    if (paths.isEmpty())
        return std::nullopt;
    return paths;
}

QString SingleInstance::enqueue(const QString &name, const QStringList &paths)
{
    const HandOverQueueFolder folder(queueFolder(name), true);
    if (!folder.isOpen())
        return {};
    const QString entry = newEntryName() + kEntrySuffix;
    // Written whole under its final name in one step, so a reader never
    // sees half an entry.
    QSaveFile file(QDir(folder.path()).filePath(entry));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    const QByteArray bytes = encodeHandOver(paths);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return {};
    return entry;
}

void SingleInstance::withdraw(const QString &name, const QString &entry)
{
    if (!entry.isEmpty())
        HandOverQueueFolder(queueFolder(name)).remove(entry);
}

bool SingleInstance::copyRunning(const QString &name) { return liveCopyAnswers(name); }

SingleInstance::SingleInstance(QString name, QObject *parent) : QObject(parent), m_name(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::listen()
{
    if (isListening())
        return true;
    if (m_name.isEmpty())
        return false;
    // Listening with access options replaces whatever socket file is there,
    // a live copy's included, so ask first.
    if (liveCopyAnswers(m_name))
        return false;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_name)) {
        // Either a live copy owns the name or a dead one left its socket.
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

void SingleInstance::retryListen()
{
    if (isListening() || m_liveCopyAnswered || m_name.isEmpty())
        return;
    if (m_probe) {
        // Still connecting, or a busy copy that has not taken it yet.
        if (m_probe->state() != QLocalSocket::UnconnectedState)
            return;
        dropProbe(); // gone without a word: that copy died
    }
    if (listen())
        return;
    // Someone answered. Wait, without blocking, for its word or its end.
    m_probe = new QLocalSocket(this);
    connect(m_probe, &QLocalSocket::readyRead, this, [this] {
        if (m_probe && m_probe->readAll().contains(kLiveWord)) {
            m_liveCopyAnswered = true;
            dropProbe();
        }
    });
    m_probe->connectToServer(m_name);
}

void SingleInstance::dropProbe()
{
    if (!m_probe)
        return;
    m_probe->disconnect(this);
    m_probe->abort();
    m_probe->deleteLater();
    m_probe = nullptr;
}

QStringList SingleInstance::untakenEntries(const HandOverQueueFolder &folder) const
{
    if (!isListening())
        return {};
    QStringList entries = folder.entries(kEntrySuffix);
    entries.removeIf([this](const QString &e) { return m_taken.contains(e); });
    return entries;
}

bool SingleInstance::hasPending() const
{
    return !untakenEntries(HandOverQueueFolder(queueFolder(m_name))).isEmpty();
}

QStringList SingleInstance::takePending()
{
    QStringList paths;
    const HandOverQueueFolder folder(queueFolder(m_name));
    for (const QString &entry : untakenEntries(folder)) {
        std::optional<QStringList> decoded;
        if (const std::optional<QByteArray> bytes = folder.read(entry, kMaxEntryBytes))
            decoded = decodeHandOver(*bytes);
        if (!decoded) {
            // Not ours to open; it would be met again at every look.
            folder.remove(entry);
            continue;
        }
        paths += *decoded;
        m_taken.insert(entry);
        m_takenOrder.append(entry);
    }
    return paths;
}

void SingleInstance::finish(const QStringList &entries)
{
    const HandOverQueueFolder folder(queueFolder(m_name));
    for (const QString &entry : entries) {
        folder.remove(entry);
        m_taken.remove(entry);
        m_takenOrder.removeAll(entry);
    }
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        socket->write(&kLiveWord, 1);
        socket->flush();
        socket->abort();
        socket->deleteLater();
    }
    emit received();
}

} // namespace platform
