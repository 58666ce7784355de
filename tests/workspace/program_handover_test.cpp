// The built program end to end: a running editor and a second start with a
// file, which queues the file for the running editor and ends; the first
// opens it in a new tab, when it gets to it, and a hand-over survives the
// receiving copy dying.
#include "core/game/demo_game_folder.h"
#include "core/settings.h"
#include "fixtures/scenario_generator.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

class ProgramProcess : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program = QDir(QCoreApplication::applicationDirPath()).filePath("../storyloom");
        if (!QFileInfo(program).isExecutable())
            GTEST_SKIP() << "the storyloom program is not built";
        ASSERT_TRUE(dir.isValid());
        // The settings file lands beside the program: use a private copy.
        QDir().mkpath(dir.filePath("bin"));
        const QString copy = dir.filePath("bin/storyloom");
        ASSERT_TRUE(QFile::copy(program, copy));
        program = copy;
        // Channel and queue in this test's own runtime folder.
        QDir().mkpath(dir.filePath("run"));
        QFile::setPermissions(dir.filePath("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                       | QFileDevice::ExeOwner);
        // A game folder is set, so no start asks for one.
        ASSERT_TRUE(core::game::writeDemoGameFolder(dir.filePath("game")));
        ASSERT_TRUE(core::writeINI("Folder", "Path", dir.filePath("game"), ini()));
        file = dir.filePath("handed over.eex");
        fixtures::ScenarioGenerator gen(11);
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(fixtures::scenarioBytes(gen.scenario()));
    }
    void TearDown() override
    {
        for (auto &p : processes) {
            if (p->state() != QProcess::NotRunning) {
                ::kill(pid_t(p->processId()), SIGCONT);
                p->kill();
                p->waitForFinished(3000);
            }
        }
    }

    QProcess *start(const QStringList &args)
    {
        auto *p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("STORYLOOM_INSTANCE");
        env.insert("XDG_RUNTIME_DIR", dir.filePath("run"));
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(dir.path());
        p->start(program, args);
        processes.emplace_back(p);
        return p;
    }

    // A first copy up: settings read, the window shown.
    QProcess *startFirst()
    {
        QProcess *first = start({});
        EXPECT_TRUE(first->waitForStarted(5000));
        const QDeadlineTimer ready(15000);
        // Its channel in the runtime folder: the window comes right after.
        const auto listening = [this] {
            return !QDir(dir.filePath("run")).entryList({"storyloom-*"}, QDir::System | QDir::Files).filter(QRegularExpression("^[^.]*$")).isEmpty();
        };
        while (!ready.hasExpired() && !listening())
            QThread::msleep(20);
        EXPECT_TRUE(listening());
        QThread::msleep(700); // the window shown and its first tab open
        EXPECT_EQ(first->state(), QProcess::Running);
        return first;
    }

    QString recent() const { return core::readINI("Recent_Scenario", "1", ini()); }
    bool waitForRecent(int ms) const
    {
        const QDeadlineTimer opened(ms);
        while (!opened.hasExpired() && recent() != file)
            QThread::msleep(10);
        return recent() == file;
    }
    QStringList queued() const
    {
        QStringList entries;
        for (const QString &q : QDir(dir.filePath("run")).entryList({"*.queue"}, QDir::Dirs))
            entries += QDir(dir.filePath("run/" + q)).entryList(QDir::Files);
        return entries;
    }
    // The entry goes once the tab exists, a moment after the recent list.
    bool queueEmptied() const
    {
        const QDeadlineTimer gone(3000);
        while (!gone.hasExpired() && !queued().isEmpty())
            QThread::msleep(10);
        return queued().isEmpty();
    }
    static void signal(QProcess *p, int sig) { ::kill(pid_t(p->processId()), sig); }

    QString ini() const { return dir.filePath("bin/Q_T.ini"); }

    QString program;
    QString file;
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(ProgramProcess, ASecondStartWithAFileOpensItInTheRunningEditor)
{
    QProcess *first = startFirst();
    EXPECT_EQ(core::readINI("Folder", "Path", ini()), dir.filePath("game"));

    QProcess *second = start({file});
    ASSERT_TRUE(second->waitForFinished(8000));
    EXPECT_EQ(second->exitCode(), 0);
    // Once queued, the running editor opens it at one of its next ticks
    // (100 ms apart); the margin is for sanitizer builds on a busy machine.
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(waitForRecent(5000));
    EXPECT_LT(clock.elapsed(), 2500);
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_TRUE(queueEmptied());
}

TEST_F(ProgramProcess, ABusyEditorOpensTheFileWhenFreeAndTheSecondCopyNever)
{
    QProcess *first = startFirst();
    signal(first, SIGSTOP); // busy for as long as it takes
    QProcess *second = start({file});
    ASSERT_TRUE(second->waitForFinished(8000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    QThread::msleep(2500); // longer than any hand-over used to wait
    EXPECT_TRUE(recent().isEmpty()); // opened nowhere yet
    EXPECT_EQ(queued().size(), 1);
    signal(first, SIGCONT);
    EXPECT_TRUE(waitForRecent(5000));
    EXPECT_TRUE(queueEmptied());
    EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(ProgramProcess, AHandOverTheEditorNeverOpenedOpensAtTheNextStart)
{
    QProcess *first = startFirst();
    signal(first, SIGSTOP);
    QProcess *second = start({file});
    ASSERT_TRUE(second->waitForFinished(8000));
    EXPECT_EQ(second->exitCode(), 0);
    first->kill(); // SIGKILL: dies without opening it
    first->waitForFinished(3000);
    EXPECT_TRUE(recent().isEmpty());
    ASSERT_EQ(queued().size(), 1);

    QProcess *next = start({});
    ASSERT_TRUE(next->waitForStarted(5000));
    EXPECT_TRUE(waitForRecent(15000));
    EXPECT_TRUE(queueEmptied());
    EXPECT_EQ(next->state(), QProcess::Running);
}

} // namespace
