// The built program end to end: a running editor and a second start with a
// file, which hands the file over; the first opens it in a new tab.
#include "core/settings.h"
#include "fixtures/scenario_generator.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <gtest/gtest.h>

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
        instance = "storyloom-test-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
    }
    void TearDown() override
    {
        for (auto &p : processes) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(3000);
            }
        }
    }

    QProcess *start(const QStringList &args)
    {
        auto *p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("STORYLOOM_INSTANCE", instance);
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(dir.path());
        p->start(program, args);
        processes.emplace_back(p);
        return p;
    }

    QString ini() const { return dir.filePath("bin/Q_T.ini"); }

    QString program;
    QString instance;
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(ProgramProcess, ASecondStartWithAFileOpensItInTheRunningEditor)
{
    fixtures::ScenarioGenerator gen(11);
    const QString file = dir.filePath("handed over.eex");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(fixtures::scenarioBytes(gen.scenario()));
    }

    QProcess *first = start({});
    ASSERT_TRUE(first->waitForStarted(5000));
    // The settings file is written after the copy listens; the demo game
    // folder goes with it, then the window comes up.
    const QDeadlineTimer ready(15000);
    while (!ready.hasExpired()
           && core::ReadINI("Folder", "Path", ini()).isEmpty())
        QThread::msleep(20);
    ASSERT_FALSE(core::ReadINI("Folder", "Path", ini()).isEmpty());
    const QString demo = core::ReadINI("Folder", "Path", ini());
    EXPECT_EQ(demo, QDir(dir.filePath("data")).filePath("storyloom/demo-game"));
    EXPECT_TRUE(QFileInfo::exists(QDir(demo).filePath("Data.e5")));
    QThread::msleep(1000); // the window shown and its first tab open
    ASSERT_EQ(first->state(), QProcess::Running);

    QElapsedTimer clock;
    clock.start();
    QProcess *second = start({file});
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_EQ(second->exitCode(), 0);
    const QDeadlineTimer opened(5000);
    while (!opened.hasExpired() && core::ReadINI("Recent_Scenario", "1", ini()) != file)
        QThread::msleep(10);
    EXPECT_EQ(core::ReadINI("Recent_Scenario", "1", ini()), file);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(first->state(), QProcess::Running);
}

} // namespace
