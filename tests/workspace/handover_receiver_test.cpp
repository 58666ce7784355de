// The receiving window and its queue: which copy receives hand-overs when
// the copy that received them is dying (the system still accepts
// connections for a killed process until it is gone, so a copy started at
// that moment is answered and must keep trying), and what another process
// plants in the queue, which the window never opens.
#include "core/settings.h"
#include "platform/single_instance.h"
#include "support/child_process.h"
#include "workspace/main_window.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>

namespace {

using platform::SingleInstance;
using workspace::MainWindow;

// A copy that is killed: its channel accepts connections but nobody takes
// them, and when it is gone its socket file stays behind.
class DyingCopy
{
public:
    explicit DyingCopy(const QString &name)
    {
        const QByteArray path = QFile::encodeName(name);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), std::min(size_t(path.size()), sizeof address.sun_path - 1));
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (m_fd >= 0 && (::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(m_fd, 8) != 0))
            die();
    }
    ~DyingCopy() { die(); }
    bool answers() const { return m_fd >= 0; }
    void die()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
};

class HandOverReceiver : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousIni = core::iniPath();
        core::setIniPath(dir.filePath("Q_T.ini"));
        window = std::make_unique<MainWindow>();
        window->hooks().openFiles = [this](const QStringList &p) { opened += p; };
    }
    void TearDown() override
    {
        window.reset();
        core::setIniPath(previousIni);
    }

    QTemporaryDir dir;
    QString previousIni;
    const QString name = dir.filePath("channel");
    std::unique_ptr<MainWindow> window;
    QStringList opened;
};

TEST_F(HandOverReceiver, ACopyStartedWhileTheLastOneDiesBecomesTheReceiver)
{
    DyingCopy dying(name);
    ASSERT_TRUE(dying.answers());
    SingleInstance third(name);
    EXPECT_FALSE(third.listen()); // answered by the dying copy
    window->setHandOverSource(&third);
    // A hand-over that came while the old copy was dying.
    ASSERT_FALSE(SingleInstance::enqueue(name, {"/d/late.eex"}).isEmpty());
    QTest::qWait(300);
    EXPECT_FALSE(third.isListening());
    EXPECT_TRUE(opened.isEmpty());

    dying.die();
    EXPECT_TRUE(QTest::qWaitFor([&] { return third.isListening(); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 3000));
    EXPECT_EQ(opened, QStringList({"/d/late.eex"}));
    EXPECT_FALSE(third.liveCopyAnswered());
    // And it now receives what later copies hand over.
    EXPECT_TRUE(SingleInstance::copyRunning(name));
    ASSERT_FALSE(SingleInstance::enqueue(name, {"/d/next.eex"}).isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened.size() == 2; }, 3000));
}

TEST_F(HandOverReceiver, ACopyThatALiveCopyAnsweredEditsOnItsOwn)
{
    SingleInstance running(name);
    ASSERT_TRUE(running.listen());
    int knocks = 0;
    QObject::connect(&running, &SingleInstance::received, [&] { ++knocks; });
    SingleInstance second(name);
    EXPECT_FALSE(second.listen());
    window->setHandOverSource(&second);
    EXPECT_TRUE(QTest::qWaitFor([&] { return second.liveCopyAnswered(); }, 3000));
    const int knocksWhenAnswered = knocks;
    ASSERT_FALSE(SingleInstance::enqueue(name, {"/d/for-the-first.eex"}).isEmpty());
    QTest::qWait(500);
    EXPECT_FALSE(second.isListening());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(running.takePending(), QStringList({"/d/for-the-first.eex"}));
    // It stopped asking once answered.
    EXPECT_EQ(knocks, knocksWhenAnswered);
}

TEST_F(HandOverReceiver, WhatAnotherProcessPlantedInTheQueueIsNeverOpened)
{
    SingleInstance channel(name);
    ASSERT_TRUE(channel.listen());
    ASSERT_FALSE(SingleInstance::enqueue(name, {"/d/ok.eex"}).isEmpty());
    const QDir queue(SingleInstance::queueFolder(name));
    const auto native = [](const QString &path) { return QFile::encodeName(path); };
    ASSERT_EQ(::symlink("/dev/zero", native(queue.filePath("0-zero.handover"))), 0);
    ASSERT_EQ(::mkfifo(native(dir.filePath("fifo")), 0600), 0);
    ASSERT_EQ(::symlink(native(dir.filePath("fifo")), native(queue.filePath("0-fifo.handover"))), 0);
    ASSERT_EQ(::mkfifo(native(queue.filePath("0-pipe.handover")), 0600), 0);
    {
        QFile other(queue.filePath("0-other.handover"));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write(SingleInstance::encodeHandOver({"/d/planted.eex"}));
    }
    const bool otherOwner = ::chown(native(queue.filePath("0-other.handover")), 65534, 65534) == 0;
    if (!otherOwner) // changing a file's owner takes root
        QFile::remove(queue.filePath("0-other.handover"));
    window->setHandOverSource(&channel);
    // The window goes on handling events and opens the one real hand-over.
    EXPECT_TRUE(testsupport::finishesInChild([this] {
        bool ticked = false;
        QTimer::singleShot(400, [&] { ticked = true; });
        const bool done = QTest::qWaitFor([&] { return ticked && !opened.isEmpty(); }, 3000);
        return done && opened == QStringList({"/d/ok.eex"});
    }));
    EXPECT_TRUE(queue.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).isEmpty());
}

} // namespace
