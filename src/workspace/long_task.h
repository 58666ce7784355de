#pragma once
// Progress for the window's long operations (open, save, expand all, find,
// replace all, undo and redo). Nothing shows for work that ends
// within half a second; past that a progress dialog (Korean text, modal)
// appears, with a cancel button where stopping half-way is safe. While the
// work runs the window's events keep flowing, so a second copy's hand-over is
// still answered.
#include "core/work_progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace workspace {

// Labels of the progress dialogs.
inline const QString kOpeningLabel = QStringLiteral("파일을 여는 중…");
inline const QString kSpreadingLabel = QStringLiteral("펼치는 중…");
inline const QString kFoldingLabel = QStringLiteral("접는 중…");
inline const QString kFindingLabel = QStringLiteral("찾는 중…");
inline const QString kReplacingLabel = QStringLiteral("바꾸는 중…");
inline const QString kSavingLabel = QStringLiteral("저장하는 중…");
inline const QString kUndoingLabel = QStringLiteral("실행 취소하는 중…");
inline const QString kRedoingLabel = QStringLiteral("다시 실행하는 중…");
inline const QString kCancelText = QStringLiteral("취소");

class LongTask
{
public:
    enum class Cancel { No, Allowed };

    LongTask(QWidget *parent, const QString &label, Cancel cancel);
    ~LongTask();
    LongTask(const LongTask &) = delete;
    LongTask &operator=(const LongTask &) = delete;

    // Reports how far the work got; false once the user cancelled.
    bool report(std::int64_t done, std::int64_t total);
    // The same as a callback for core operations.
    core::WorkProgress progress();
    // Keeps events flowing while work runs elsewhere (a reading thread);
    // false once the user cancelled.
    bool keepAlive();

    bool cancelled() const { return m_cancelled; }
    bool shown() const { return m_dialog != nullptr; }

    // True while any long operation runs. Its data may be half-way through a
    // change, and the window's events still flow: what arrives meanwhile
    // (a file handed over) should wait until this is false again.
    static bool anyRunning();

    // How long work runs before its dialog shows (milliseconds; tests lower it).
    static int showAfterMs();
    static void setShowAfterMs(int ms);
    // Called with each dialog when it shows (tests answer it there).
    static std::function<void(QProgressDialog &)> &shownHook();

private:
    void showDialog();
    void pump();

    QPointer<QWidget> m_parent;
    QString m_label;
    Cancel m_cancel;
    QElapsedTimer m_clock;
    qint64 m_lastPump = 0;
    std::unique_ptr<QProgressDialog> m_dialog;
    bool m_cancelled = false;
};

// Runs `work` on a thread of its own and returns when it is done, keeping
// the window's events flowing meanwhile, with the progress dialog (no cancel)
// past the threshold: for one long call that reports no progress (a save).
// What `work` reads must not change meanwhile; the modal dialog keeps the
// user's hands off, and the caller stops views from painting what it reads.
void runAside(QWidget *parent, const QString &label, const std::function<void()> &work);

} // namespace workspace
