// Which copy receives hand-overs when the copy that received them is dying:
// the system still accepts connections for a killed process until it is
// gone, so a copy started at that moment is answered and must keep trying.
#include "core/settings.h"
#include "platform/single_instance.h"
#include "workspace/main_window.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/socket.h>
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

} // namespace
