#pragma once
// The pause after each glyph of a typing preview. It keeps window events
// flowing (a click during the pause sets the window's skip flag), and tests
// switch pauses off so nothing waits.
#include <QObject>

namespace commands {

// Waits `ms` unless `skip` is set or pauses are off. False when `guard` was
// destroyed during the wait (its window is gone: stop drawing).
bool typingWait(int ms, const bool &skip, const QObject *guard = nullptr);

// While one lives, typing pauses take no time (they still let events run).
class ScopedInstantTyping
{
public:
    ScopedInstantTyping();
    ~ScopedInstantTyping();
    ScopedInstantTyping(const ScopedInstantTyping &) = delete;
    ScopedInstantTyping &operator=(const ScopedInstantTyping &) = delete;

private:
    bool m_previous;
};
bool instantTyping();

} // namespace commands
