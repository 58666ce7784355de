#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSaveFile>
#include <QStandardPaths>
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

bool liveCopyAnswers(const QString &name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool live = probe.waitForConnected(500);
    probe.abort();
    return live;
}

QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
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
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    const QByteArray program = QFileInfo(programPath).absoluteFilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(program, QCryptographicHash::Sha1).toHex().left(12);
    return QDir(runtimeFolder()).filePath(QStringLiteral("storyloom-%1-%2").arg(user, QString::fromLatin1(hash)));
}

QString SingleInstance::queueFolder(const QString &name)
{
    // A bare name is a socket in the temporary folder; its queue goes to the
    // runtime folder all the same.
    const QString base = QDir::isAbsolutePath(name) ? name : QDir(runtimeFolder()).filePath(name);
    return base + QStringLiteral(".queue");
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
    const QString folder = queueFolder(name);
    if (!QDir().mkpath(folder))
        return {};
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString entry = newEntryName() + kEntrySuffix;
    // Written whole under its final name in one step, so a reader never
    // sees half an entry.
    QSaveFile file(QDir(folder).filePath(entry));
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
        QFile::remove(QDir(queueFolder(name)).filePath(entry));
}

bool SingleInstance::copyRunning(const QString &name) { return liveCopyAnswers(name); }

SingleInstance::SingleInstance(QString name, QObject *parent) : QObject(parent), m_name(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

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

QStringList SingleInstance::untakenEntries() const
{
    if (!isListening())
        return {};
    QStringList entries = QDir(queueFolder(m_name))
                              .entryList({QStringLiteral("*") + kEntrySuffix}, QDir::Files | QDir::Hidden, QDir::Name);
    entries.removeIf([this](const QString &e) { return m_taken.contains(e); });
    return entries;
}

bool SingleInstance::hasPending() const { return !untakenEntries().isEmpty(); }

QStringList SingleInstance::takePending()
{
    QStringList paths;
    const QDir folder(queueFolder(m_name));
    for (const QString &entry : untakenEntries()) {
        QFile file(folder.filePath(entry));
        std::optional<QStringList> decoded;
        if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxEntryBytes)
            decoded = decodeHandOver(file.readAll());
        file.close();
        if (!decoded) {
            // Not ours to open; it would be met again at every look.
            QFile::remove(file.fileName());
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
    const QDir folder(queueFolder(m_name));
    for (const QString &entry : entries) {
        QFile::remove(folder.filePath(entry));
        m_taken.remove(entry);
        m_takenOrder.removeAll(entry);
    }
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        socket->abort();
        socket->deleteLater();
    }
    emit received();
}

} // namespace platform
