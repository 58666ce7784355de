#pragma once
// A wait that keeps the program alive: events (clicks, paints, other timers)
// go on being handled while it waits, and a handler run meanwhile may wait
// again (the inner wait returns first, the outer one keeps its own due time).
#include <QObject>

namespace platform {

// Waits `ms` milliseconds in a nested event loop with a timer of its own.
// When `guard` is given and is destroyed during the wait (its window was
// closed and deleted), the wait ends at once and the result is false, so the
// caller knows not to touch it. Also false when the application is quitting.
// True when the full time passed.
bool timeSleep(int ms, const QObject *guard = nullptr);

} // namespace platform
