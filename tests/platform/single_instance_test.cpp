#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace {

QString uniqueName() { return "storyloom-test-" + QUuid::createUuid().toString(QUuid::Id128).left(12); }

// Runs the event loop until the receiver holds count paths or time runs out.
QStringList waitForPaths(platform::SingleInstance &receiver, int count, int timeoutMs)
{
    QStringList got;
    const QDeadlineTimer deadline(timeoutMs);
    while (got.size() < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        got += receiver.takePending();
    }
    return got;
}

TEST(SingleInstance, HandOverFromAnotherThreadArrivesInOrder)
{
    platform::SingleInstance receiver(uniqueName());
    ASSERT_TRUE(receiver.listen());
    auto sent = std::async(std::launch::async, [name = receiver.name()] {
        const bool a = platform::SingleInstance::sendToRunning(name, {"/x/one.eex", "/x/two.eex"});
        const bool b = platform::SingleInstance::sendToRunning(name, {"/x/한글 세 번째.eex"});
        return a && b;
    });
    const QStringList got = waitForPaths(receiver, 3, 3000);
    EXPECT_TRUE(sent.get());
    EXPECT_EQ(got, QStringList({"/x/one.eex", "/x/two.eex", "/x/한글 세 번째.eex"}));
}

TEST(SingleInstance, NothingRunningMeansNoHandOver)
{
    EXPECT_FALSE(platform::SingleInstance::sendToRunning(uniqueName(), {"/x/a.eex"}, 500));
}

TEST(SingleInstance, OnlyOneCopyReceivesAndAStaleChannelIsTakenOver)
{
    const QString name = uniqueName();
    {
        platform::SingleInstance first(name);
        ASSERT_TRUE(first.listen());
        platform::SingleInstance second(name);
        EXPECT_FALSE(second.listen());
        EXPECT_FALSE(second.isListening());
    }
    // A crashed copy leaves its socket file behind.
    QFile stale(QDir::temp().filePath(name));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    platform::SingleInstance third(name);
    EXPECT_TRUE(third.listen());
}

TEST(SingleInstance, GarbageOnTheChannelIsDroppedWithoutHarm)
{
    platform::SingleInstance receiver(uniqueName());
    ASSERT_TRUE(receiver.listen());
    auto sent = std::async(std::launch::async, [name = receiver.name()] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(1000))
            return;
        socket.write(QByteArray("\xff\xff\xff\xffjunk", 8)); // claims 4 GB
        socket.waitForBytesWritten(1000);
        socket.waitForDisconnected(1000);
    });
    sent.get();
    waitForPaths(receiver, 1, 300);
    EXPECT_FALSE(receiver.hasPending());
    // The channel still works afterwards.
    auto again = std::async(std::launch::async,
                            [name = receiver.name()] { return platform::SingleInstance::sendToRunning(name, {"/ok.eex"}); });
    EXPECT_EQ(waitForPaths(receiver, 1, 3000), QStringList({"/ok.eex"}));
    EXPECT_TRUE(again.get());
}

// The real program as the second copy: it hands its (relative) file over,
// ends with 0 and never gets to the settings file.
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

TEST_F(SecondCopyProcess, HandsOverAndEndsWithoutTouchingSettings)
{
    platform::SingleInstance running(uniqueName());
    ASSERT_TRUE(running.listen());
    QProcess *second = start(running.name(), "rel/a.eex");
    const QStringList got = waitForPaths(running, 1, 5000);
    ASSERT_TRUE(finished(second));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(got, QStringList({QDir(dir.path()).filePath("rel/a.eex")}));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("bin/Q_T.ini")));
}

TEST_F(SecondCopyProcess, TwoCopiesStartedTogetherBothArrive)
{
    platform::SingleInstance running(uniqueName());
    ASSERT_TRUE(running.listen());
    QProcess *a = start(running.name(), dir.filePath("a.eex"));
    QProcess *b = start(running.name(), dir.filePath("b.eex"));
    QStringList got = waitForPaths(running, 2, 5000);
    ASSERT_TRUE(finished(a));
    ASSERT_TRUE(finished(b));
    EXPECT_EQ(a->exitCode(), 0);
    EXPECT_EQ(b->exitCode(), 0);
    got.sort();
    EXPECT_EQ(got, QStringList({dir.filePath("a.eex"), dir.filePath("b.eex")}));
}

} // namespace
