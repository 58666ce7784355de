#include "workspace/long_task.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QWidget>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace workspace {

namespace {
constexpr int kDefaultShowAfterMs = 500;
// Events are handled at most this often: enough to repaint and answer, too
// rarely to slow the work down.
constexpr int kPumpEveryMs = 30;
constexpr int kSteps = 1000;

int &showAfter()
{
    static int ms = kDefaultShowAfterMs;
    return ms;
}

int g_running = 0;
} // namespace

bool LongTask::anyRunning() { return g_running > 0; }

int LongTask::showAfterMs() { return showAfter(); }
void LongTask::setShowAfterMs(int ms) { showAfter() = ms; }

std::function<void(QProgressDialog &)> &LongTask::shownHook()
{
    static std::function<void(QProgressDialog &)> hook;
    return hook;
}

LongTask::LongTask(QWidget *parent, const QString &label, Cancel cancel)
    : m_parent(parent), m_label(label), m_cancel(cancel)
{
    m_clock.start();
    ++g_running;
}

LongTask::~LongTask()
{
    --g_running;
    // The window the progress stood in front of takes the keyboard back, so
    // the next shortcut reaches it.
    if (m_dialog) {
        m_dialog.reset();
        if (m_parent)
            m_parent->window()->activateWindow();
    }
}

void LongTask::showDialog()
{
    m_dialog = std::make_unique<QProgressDialog>(m_label, m_cancel == Cancel::Allowed ? kCancelText : QString(), 0,
                                                 kSteps, m_parent.data());
    m_dialog->setObjectName(QStringLiteral("LongTaskProgress"));
    m_dialog->setWindowTitle(m_label);
    // Nothing else of the window may change while the work holds its data.
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    if (m_cancel == Cancel::No)
        m_dialog->setCancelButton(nullptr);
    m_dialog->setValue(0);
    m_dialog->show();
    if (shownHook())
        shownHook()(*m_dialog);
}

void LongTask::pump()
{
    const qint64 now = m_clock.elapsed();
    if (!m_dialog && now >= showAfter())
        showDialog();
    if (m_dialog && (now - m_lastPump >= kPumpEveryMs || m_lastPump == 0)) {
        m_lastPump = now;
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPumpEveryMs);
    }
    if (m_dialog && m_cancel == Cancel::Allowed && m_dialog->wasCanceled())
        m_cancelled = true;
}

bool LongTask::report(std::int64_t done, std::int64_t total)
{
    if (m_cancelled)
        return false;
    pump();
    if (m_dialog && total > 0) {
        const int value = int(std::min<std::int64_t>(kSteps, done * kSteps / total));
        if (value != m_dialog->value())
            m_dialog->setValue(value);
    }
    return !m_cancelled;
}

core::WorkProgress LongTask::progress()
{
    return [this](std::int64_t done, std::int64_t total) { return report(done, total); };
}

bool LongTask::keepAlive()
{
    if (m_cancelled)
        return false;
    pump();
    if (m_dialog && m_dialog->maximum() != 0)
        m_dialog->setRange(0, 0);  // no measure of the work: a busy bar
    return !m_cancelled;
}

void runAside(QWidget *parent, const QString &label, const std::function<void()> &work)
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::exception_ptr failure;  // thrown on, as if the work had run here
    LongTask task(parent, label, LongTask::Cancel::No);
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(mutex);
        done = true;
        finished.notify_all();
    });
    for (;;) {
        task.keepAlive();
        std::unique_lock lock(mutex);
        if (finished.wait_for(lock, std::chrono::milliseconds(10), [&] { return done; }))
            break;
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace workspace
