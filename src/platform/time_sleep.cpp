#include "platform/time_sleep.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace platform {

bool timeSleep(int ms, const QObject *guard)
{
    const QPointer<const QObject> watched(guard);
    if (ms <= 0 || !QCoreApplication::instance() || (guard && !watched))
        return !guard || watched;

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(0); });
    if (guard)
        QObject::connect(guard, &QObject::destroyed, &loop, [&loop] { loop.exit(1); });
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop,
                     [&loop] { loop.exit(1); });

    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const qint64 left = ms - clock.elapsed();
        if (left <= 0)
            return true;
        timer.start(int(left));
        // exit(1): the guard is gone or the program is ending.
        if (loop.exec() != 0)
            return false;
        if (guard && !watched)
            return false;
    }
}

} // namespace platform
