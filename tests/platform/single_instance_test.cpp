#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

#include <future>

namespace {

using platform::SingleInstance;

// Channels (and so their queues) in a folder of this test program's own.
QString uniqueName()
{
    static QTemporaryDir folder;
    return folder.filePath("ch-" + QUuid::createUuid().toString(QUuid::Id128).left(12));
}

QStringList queueEntries(const QString &name)
{
    return QDir(SingleInstance::queueFolder(name)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

TEST(HandOverEntry, PathsSurviveTheQueueFormat)
{
    const QList<QStringList> cases = {
        {"/x/one.eex"},
        {"/x/one.eex", "/x/two.eex"},
        {"/x/한글 세 번째.eex"},
        {"/x/100%.eex", "/x/line\nbreak.eex", "/x/cr\r.eex"},
    };
    for (const QStringList &paths : cases) {
        const auto decoded = SingleInstance::decodeHandOver(SingleInstance::encodeHandOver(paths));
        ASSERT_TRUE(decoded.has_value()) << paths.join('|').toStdString();
        EXPECT_EQ(*decoded, paths);
    }
}

TEST(HandOverEntry, AnythingElseIsRefused)
{
    const QByteArray good = SingleInstance::encodeHandOver({"/x/a.eex", "/x/b.eex"});
    const QList<QByteArray> cases = {
        QByteArray(),
        QByteArray("junk"),
        good.left(good.size() - 1),                          // cut short
        QByteArray("storyloom hand-over 1\n"),               // no path
        QByteArray("storyloom hand-over 1\n\n"),             // empty path
        QByteArray("storyloom hand-over 1\n/x/\xff\xfe.eex\n"), // not UTF-8
        QByteArray("storyloom hand-over 1\n/x/%FF.eex\n"),
        QByteArray("storyloom hand-over 1\n/x/%00.eex\n"),
        QByteArray("storyloom hand-over 2\n/x/a.eex\n"),
        QByteArray("storyloom hand-over 1\n") + QByteArray(2 * 1024 * 1024, 'a') + '\n',
    };
    for (const QByteArray &bytes : cases)
        EXPECT_FALSE(SingleInstance::decodeHandOver(bytes).has_value()) << bytes.left(60).toStdString();
}

TEST(SingleInstance, TheQueueKeepsOrderAndEntriesStayUntilFinished)
{
    const QString name = uniqueName();
    SingleInstance receiver(name);
    ASSERT_TRUE(receiver.listen());
    ASSERT_FALSE(SingleInstance::enqueue(name, {"/x/one.eex", "/x/two.eex"}).isEmpty());
    ASSERT_FALSE(SingleInstance::enqueue(name, {"/x/한글 세 번째.eex"}).isEmpty());
    EXPECT_TRUE(receiver.hasPending());
    EXPECT_EQ(receiver.takePending(), QStringList({"/x/one.eex", "/x/two.eex", "/x/한글 세 번째.eex"}));
    EXPECT_FALSE(receiver.hasPending());
    EXPECT_TRUE(receiver.takePending().isEmpty()); // taken once only
    EXPECT_EQ(queueEntries(name).size(), 2);        // but still queued
    receiver.finish(receiver.takenEntries());
    EXPECT_TRUE(queueEntries(name).isEmpty());
    EXPECT_TRUE(receiver.takenEntries().isEmpty());
}

TEST(SingleInstance, ACopyThatDiesAfterTakingLeavesTheFilesForTheNext)
{
    const QString name = uniqueName();
    ASSERT_FALSE(SingleInstance::enqueue(name, {"/x/a.eex"}).isEmpty());
    {
        SingleInstance first(name);
        ASSERT_TRUE(first.listen());
        EXPECT_EQ(first.takePending(), QStringList({"/x/a.eex"}));
        // gone before its tab existed
    }
    SingleInstance next(name);
    ASSERT_TRUE(next.listen());
    EXPECT_EQ(next.takePending(), QStringList({"/x/a.eex"}));
    next.finish(next.takenEntries());
    EXPECT_TRUE(queueEntries(name).isEmpty());
}

TEST(SingleInstance, OnlyTheReceivingCopyTakesAndGarbageIsDropped)
{
    const QString name = uniqueName();
    SingleInstance receiver(name);
    SingleInstance independent(name);
    ASSERT_TRUE(receiver.listen());
    EXPECT_FALSE(independent.listen());
    ASSERT_FALSE(SingleInstance::enqueue(name, {"/ok.eex"}).isEmpty());
    QFile garbage(QDir(SingleInstance::queueFolder(name)).filePath("0-garbage.handover"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("\xff\xff\xff\xffjunk");
    garbage.close();
    EXPECT_TRUE(independent.takePending().isEmpty());
    EXPECT_EQ(receiver.takePending(), QStringList({"/ok.eex"}));
    EXPECT_EQ(queueEntries(name).size(), 1); // the garbage is gone
}

TEST(SingleInstance, ARunningCopyIsSeenAndAStaleChannelIsTakenOver)
{
    const QString name = uniqueName();
    EXPECT_FALSE(SingleInstance::copyRunning(name));
    {
        SingleInstance first(name);
        ASSERT_TRUE(first.listen());
        // Seen even though this thread never gets to its events: busy.
        EXPECT_TRUE(SingleInstance::copyRunning(name));
        SingleInstance second(name);
        EXPECT_FALSE(second.listen());
        EXPECT_FALSE(second.isListening());
    }
    // A copy that died leaves its socket file behind.
    QFile stale(name);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    EXPECT_FALSE(SingleInstance::copyRunning(name));
    SingleInstance third(name);
    EXPECT_TRUE(third.listen());
}

// The real program as the second copy: it queues its (relative) file, ends
// with 0 and never gets to the settings file, also while the receiving copy
// is busy.
class SecondCopyProcess : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program = QDir(QCoreApplication::applicationDirPath()).filePath("../storyloom");
        if (!QFileInfo(program).isExecutable())
            GTEST_SKIP() << "the storyloom program is not built";
        ASSERT_TRUE(dir.isValid());
        // Settings land beside the program; use a private copy so none is made there.
        const QString copy = dir.filePath("bin/storyloom");
        QDir().mkpath(dir.filePath("bin"));
        ASSERT_TRUE(QFile::copy(program, copy));
        program = copy;
    }

    QProcess *start(const QString &name, const QString &file)
    {
        auto *p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("STORYLOOM_INSTANCE", name);
        env.insert("XDG_RUNTIME_DIR", dir.path());
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(dir.path());
        p->start(program, {file});
        processes.emplace_back(p);
        return p;
    }

    // waitForFinished() is false for a process that already ended.
    static bool finished(QProcess *p) { return p->state() == QProcess::NotRunning || p->waitForFinished(5000); }

    QString program;
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(SecondCopyProcess, QueuesItsFilesAndEndsWithoutTouchingSettings)
{
    // The receiver never runs its event loop here: a busy copy.
    SingleInstance running(uniqueName());
    ASSERT_TRUE(running.listen());
    QProcess *a = start(running.name(), "rel/a.eex");
    QProcess *b = start(running.name(), dir.filePath("b.eex"));
    ASSERT_TRUE(finished(a));
    ASSERT_TRUE(finished(b));
    EXPECT_EQ(a->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(a->exitCode(), 0);
    EXPECT_EQ(b->exitCode(), 0);
    QStringList got = running.takePending();
    got.sort();
    EXPECT_EQ(got, QStringList({dir.filePath("b.eex"), QDir(dir.path()).filePath("rel/a.eex")}));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("bin/Q_T.ini")));
}

} // namespace
