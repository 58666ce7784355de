#include "commands/common/typing_wait.h"

#include "platform/time_sleep.h"

#include <QCoreApplication>
#include <QPointer>

namespace commands {

namespace {
bool g_instant = false;
}

bool instantTyping()
{
    return g_instant;
}

ScopedInstantTyping::ScopedInstantTyping() : m_previous(g_instant)
{
    g_instant = true;
}

ScopedInstantTyping::~ScopedInstantTyping()
{
    g_instant = m_previous;
}

bool typingWait(int ms, const bool &skip, const QObject *guard)
{
    if (skip)
        return true;
    if (g_instant) {
        const QPointer<const QObject> watched(guard);
        QCoreApplication::processEvents();
        return !guard || watched;
    }
    return platform::timeSleep(ms, guard);
}

} // namespace commands
