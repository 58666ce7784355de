#include "platform/time_sleep.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

using platform::timeSleep;

namespace {

TEST(TimeSleep, WaitsTheFullTimeWhileEventsAreHandled)
{
    bool fired = false;
    QTimer::singleShot(50, [&] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(timeSleep(200));
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_TRUE(fired);
}

TEST(TimeSleep, ANestedSleepReturnsFirstAndTheOuterKeepsItsDueTime)
{
    QStringList order;
    QElapsedTimer clock;
    qint64 innerDone = 0;
    QTimer::singleShot(50, [&] {
        order << "inner start";
        EXPECT_TRUE(timeSleep(50));
        innerDone = clock.elapsed();
        order << "inner end";
    });
    clock.start();
    EXPECT_TRUE(timeSleep(200));
    order << "outer end";
    EXPECT_EQ(order, QStringList({"inner start", "inner end", "outer end"}));
    EXPECT_GE(innerDone, 100);
    EXPECT_GE(clock.elapsed(), 200);
}

TEST(TimeSleep, AnInnerSleepLongerThanTheOuterOneDelaysItOnly)
{
    QElapsedTimer clock;
    QTimer::singleShot(20, [&] { timeSleep(150); });
    clock.start();
    EXPECT_TRUE(timeSleep(50));
    EXPECT_GE(clock.elapsed(), 150);
}

TEST(TimeSleep, ClosingTheWaitingWindowEndsTheWaitWithoutCrash)
{
    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QPointer<QWidget> watch(window);
    QTimer::singleShot(50, window, [window] { window->close(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(timeSleep(1000, window));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(watch.isNull());
}

TEST(TimeSleep, AWindowThatIsOnlyHiddenStillWaitsTheFullTime)
{
    QWidget window;
    window.show();
    QTimer::singleShot(20, &window, [&] { window.close(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(timeSleep(100, &window));
    EXPECT_GE(clock.elapsed(), 100);
}

TEST(TimeSleep, NothingToWaitFor)
{
    EXPECT_TRUE(timeSleep(0));
    EXPECT_TRUE(timeSleep(-5));
}

} // namespace
