// The hand-over queue against what another local process may plant in it:
// links to devices and pipes, pipes, entries and folders of another user, a
// folder anyone may read. The receiving copy reads none of them, stays
// responsive, and the channel never lands in a folder other users share.
#include "platform/single_instance.h"
#include "support/child_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::SingleInstance;
using testsupport::finishesInChild;

// Not root's, so "another user" also when the tests run as root.
constexpr uid_t kOtherUser = 65534;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool link(const QString &target, const QString &at)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(at).constData()) == 0;
}

bool fifo(const QString &at) { return ::mkfifo(QFile::encodeName(at).constData(), 0600) == 0; }

bool chownToOther(const QString &path)
{
    return ::lchown(QFile::encodeName(path).constData(), kOtherUser, kOtherUser) == 0;
}

// There, as a link or anything else, without following it.
bool present(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

class PlantedQueue : public ::testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        name = dir.filePath("channel");
        queue = SingleInstance::queueFolder(name);
        QDir().mkpath(dir.filePath("elsewhere"));
        ASSERT_TRUE(receiver.listen());
        ASSERT_FALSE(SingleInstance::enqueue(name, {"/d/ok.eex"}).isEmpty());
    }
    // The queue as it was before something was planted: one good entry.
    void renew()
    {
        if (QFileInfo(queue).isSymLink())
            QFile::remove(queue);
        QDir(queue).removeRecursively();
        QDir(elsewhere("")).removeRecursively();
        QDir().mkpath(elsewhere(""));
        ASSERT_FALSE(SingleInstance::enqueue(name, {"/d/ok.eex"}).isEmpty());
    }
    QString inQueue(const QString &entry) const { return QDir(queue).filePath(entry); }
    QString elsewhere(const QString &file) const { return dir.filePath("elsewhere/" + file); }
    // A hand-over that would be opened if it were read.
    QByteArray planted() const { return SingleInstance::encodeHandOver({"/d/planted.eex"}); }

    QTemporaryDir dir;
    QString name;
    QString queue;
    SingleInstance receiver{dir.filePath("channel")};
};

struct PlantedEntry
{
    const char *what;
    const char *entry;
    std::function<bool(PlantedQueue &, const QString &at)> plant;
    bool needsRoot;
    bool removed; // else skipped
};

TEST_F(PlantedQueue, EntriesThatAreNotTheUsersRegularFilesAreNeverRead)
{
    const QList<PlantedEntry> cases = {
        {"a link to /dev/zero", "0-zero.handover", [](PlantedQueue &, const QString &at) { return link("/dev/zero", at); },
         false, true},
        {"a link to a FIFO", "0-fifo.handover",
         [](PlantedQueue &q, const QString &at) { return fifo(q.elsewhere("fifo")) && link(q.elsewhere("fifo"), at); },
         false, true},
        {"a FIFO", "0-pipe.handover", [](PlantedQueue &, const QString &at) { return fifo(at); }, false, true},
        {"a link to a hand-over elsewhere", "0-link.handover",
         [](PlantedQueue &q, const QString &at) {
             return writeFile(q.elsewhere("entry"), q.planted()) && link(q.elsewhere("entry"), at);
         },
         false, true},
        {"a hand-over of another user", "0-other.handover",
         [](PlantedQueue &q, const QString &at) { return writeFile(at, q.planted()) && chownToOther(at); }, true,
         true},
        {"a folder", "0-folder.handover", [](PlantedQueue &, const QString &at) { return QDir().mkdir(at); }, false,
         false},
    };
    for (const PlantedEntry &c : cases) {
        SCOPED_TRACE(c.what);
        const QString at = inQueue(c.entry);
        if (!c.plant(*this, at)) {
            ASSERT_TRUE(c.needsRoot) << "could not plant it";
            continue; // changing a file's owner takes root
        }
        const QStringList before = QDir(elsewhere("")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        EXPECT_TRUE(finishesInChild([this] { return receiver.takePending() == QStringList({"/d/ok.eex"}); }));
        EXPECT_EQ(present(at), !c.removed);
        // A link goes, never what it names.
        EXPECT_EQ(QDir(elsewhere("")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), before);
        renew();
    }
}

struct RefusedFolder
{
    const char *what;
    std::function<bool(PlantedQueue &)> spoil;
    bool needsRoot;
};

TEST_F(PlantedQueue, AQueueFolderThatIsNotTheUsersPrivateOneIsNotRead)
{
    const QList<RefusedFolder> cases = {
        {"of another user", [](PlantedQueue &q) { return chownToOther(q.queue); }, true},
        {"readable by others", [](PlantedQueue &q) { return ::chmod(QFile::encodeName(q.queue).constData(), 0755) == 0; },
         false},
        {"open to everyone", [](PlantedQueue &q) { return ::chmod(QFile::encodeName(q.queue).constData(), 01777) == 0; },
         false},
        {"a link to a private folder",
         [](PlantedQueue &q) {
             return QDir().rename(q.queue, q.elsewhere("real")) && link(q.elsewhere("real"), q.queue);
         },
         false},
    };
    for (const RefusedFolder &c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.spoil(*this)) {
            ASSERT_TRUE(c.needsRoot) << "could not prepare it";
            continue;
        }
        EXPECT_TRUE(finishesInChild([this] { return !receiver.hasPending() && receiver.takePending().isEmpty(); }));
        EXPECT_TRUE(SingleInstance::enqueue(name, {"/d/more.eex"}).isEmpty());
        // Left as it was: the entry is still there.
        EXPECT_EQ(QDir(queue).entryList(QDir::Files).size(), 1);
        renew();
    }
}

TEST_F(PlantedQueue, AnEntryTooLongIsRefusedWithoutReadingItWhole)
{
    // Sparse: a gigabyte on paper, nothing on disk.
    const QString at = inQueue("0-long.handover");
    QFile f(at);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(planted());
    ASSERT_TRUE(f.resize(qint64(1) << 30));
    f.close();
    EXPECT_TRUE(finishesInChild([this] { return receiver.takePending() == QStringList({"/d/ok.eex"}); }));
    EXPECT_FALSE(QFileInfo::exists(at));
}

// Environment variables set for one test and put back after it.
class Environment
{
public:
    ~Environment()
    {
        for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it) {
            if (it->has_value())
                qputenv(it.key().constData(), **it);
            else
                qunsetenv(it.key().constData());
        }
    }
    void set(const char *key, const QByteArray &value)
    {
        save(key);
        qputenv(key, value);
    }
    void unset(const char *key)
    {
        save(key);
        qunsetenv(key);
    }

private:
    void save(const char *key)
    {
        if (!m_saved.contains(key))
            m_saved.insert(key, qEnvironmentVariableIsSet(key) ? std::optional(qgetenv(key)) : std::nullopt);
    }
    QMap<QByteArray, std::optional<QByteArray>> m_saved;
};

bool isPrivateFolder(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)
           && st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0700;
}

void makeShared(const QString &path)
{
    QDir().mkdir(path);
    ::chmod(QFile::encodeName(path).constData(), 01777);
}

// The environment of a user without a runtime folder: the temporary folder
// is tmp, and $USER is empty.
void withoutRuntimeFolder(Environment &env, const QTemporaryDir &tmp)
{
    env.unset("XDG_RUNTIME_DIR");
    env.unset("STORYLOOM_INSTANCE");
    env.set("USER", QByteArray());
    env.set("TMPDIR", QFile::encodeName(tmp.path()));
}

TEST(HandOverChannel, ARuntimeFolderOthersCanEnterIsNotUsed)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    Environment env;
    withoutRuntimeFolder(env, tmp);
    const QString shared = tmp.filePath("shared");
    makeShared(shared);
    env.set("XDG_RUNTIME_DIR", QFile::encodeName(shared));

    const QString name = SingleInstance::defaultName("/p/storyloom");
    ASSERT_FALSE(name.isEmpty());
    const QString folder = QFileInfo(name).absolutePath();
    EXPECT_NE(folder, shared);
    EXPECT_TRUE(isPrivateFolder(folder)) << folder.toStdString();
    EXPECT_TRUE(SingleInstance::queueFolder("bare").startsWith(folder + "/"));
    ASSERT_FALSE(SingleInstance::enqueue(name, {"/d/a.eex"}).isEmpty());
    EXPECT_TRUE(isPrivateFolder(SingleInstance::queueFolder(name)));
    EXPECT_TRUE(QDir(shared).isEmpty());
}

TEST(HandOverChannel, FoldersOtherUsersPlantedInTheTemporaryFolderAreNotUsed)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    Environment env;
    withoutRuntimeFolder(env, tmp);
    const passwd *user = ::getpwuid(::geteuid());
    ASSERT_NE(user, nullptr);
    // The name the system falls back to, then the editor's own.
    const QString systems = tmp.filePath("runtime-" + QFile::decodeName(user->pw_name));
    const QString own = tmp.filePath(QStringLiteral("storyloom-%1").arg(::geteuid()));
    makeShared(systems);
    if (!chownToOther(systems))
        GTEST_SKIP() << "changing a folder's owner takes root";

    const QString name = SingleInstance::defaultName("/p/storyloom");
    EXPECT_EQ(QFileInfo(name).absolutePath().toStdString(), own.toStdString());
    EXPECT_TRUE(isPrivateFolder(own));

    QDir(own).removeRecursively();
    makeShared(own);
    ASSERT_TRUE(chownToOther(own));
    // No private folder at all: no channel, so every copy edits on its own.
    EXPECT_TRUE(SingleInstance::defaultName("/p/storyloom").isEmpty());
    EXPECT_TRUE(SingleInstance::queueFolder("bare").isEmpty());
    SingleInstance nobody{QString()};
    EXPECT_FALSE(nobody.listen());
    nobody.retryListen();
    EXPECT_FALSE(nobody.isListening());
    EXPECT_TRUE(SingleInstance::enqueue(QString(), {"/d/a.eex"}).isEmpty());
    EXPECT_FALSE(SingleInstance::copyRunning(QString()));
    for (const QString &p : {systems, own})
        EXPECT_TRUE(QDir(p).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

} // namespace
