// A save that runs longer than the progress threshold shows the progress
// dialog (no cancel: a save is never stopped half-way) while the window's
// events keep flowing, and the tree's view paints nothing while the save
// reads the tree. The slow save is a write hook that waits, under a lowered
// threshold, so no large file is needed.
#include "edit_window_fixture.h"

#include "workspace/long_task.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QThread>

using namespace edit_window;
using workspace::LongTask;

namespace {

struct LongSaveTest : EditWindow
{
    // Each dialog shown: its label, and whether, while it showed, it had a
    // cancel button, the tree view painted, and a long task ran.
    QStringList labels;
    int withCancel = 0, whilePainting = 0, whileRunning = 0;

    void SetUp() override
    {
        EditWindow::SetUp();
        LongTask::shownHook() = [this](QProgressDialog &d) {
            labels << d.labelText();
            const QPushButton *cancel = d.findChild<QPushButton *>();
            withCancel += cancel && cancel->isVisible();
            whilePainting += view()->updatesEnabled();
            whileRunning += LongTask::anyRunning();
        };
    }
    void TearDown() override
    {
        LongTask::shownHook() = {};
        LongTask::setShowAfterMs(500);
        EditWindow::TearDown();
    }

    // A write that takes `ms` and then writes everything, or nothing.
    static core::EexWriteHook slowWrite(int ms, bool succeeds)
    {
        return [ms, succeeds](QIODevice &device, const QByteArray &bytes) {
            QThread::msleep(ms);
            return succeeds && device.write(bytes) == bytes.size();
        };
    }
    QByteArray saved() const
    {
        QFile f(doc()->path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(LongSaveTest, ASaveLongerThanTheThresholdShowsItsProgressAndASaveWithinItShowsNothing)
{
    LongTask::setShowAfterMs(50);
    const QByteArray before = saved();
    select(byRecord(B));
    act("mnuDelete")->trigger();
    ASSERT_TRUE(doc()->modified());

    // A slow save that fails: the dialog, then the error, the file as it was.
    docs->setWriteHook(slowWrite(300, false));
    EXPECT_FALSE(docs->save());
    EXPECT_EQ(labels, QStringList({workspace::kSavingLabel}));
    EXPECT_EQ(withCancel, 0);
    EXPECT_EQ(whilePainting, 0);
    EXPECT_EQ(whileRunning, 1);
    EXPECT_TRUE(view()->updatesEnabled());
    EXPECT_FALSE(LongTask::anyRunning());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("저장하지 못했습니다."));
    EXPECT_EQ(saved(), before);
    EXPECT_TRUE(doc()->modified());

    // A slow save that succeeds.
    docs->setWriteHook(slowWrite(300, true));
    EXPECT_TRUE(docs->save());
    EXPECT_EQ(labels, QStringList({workspace::kSavingLabel, workspace::kSavingLabel}));
    EXPECT_EQ(whilePainting, 0);
    EXPECT_EQ(saved(), bytes());
    EXPECT_NE(saved(), before);
    EXPECT_FALSE(doc()->modified());
    EXPECT_TRUE(view()->updatesEnabled());

    // Within the threshold: no dialog.
    LongTask::setShowAfterMs(10000);
    docs->setWriteHook({});
    docs->markTabModified();
    EXPECT_TRUE(docs->save());
    EXPECT_EQ(labels.size(), 2);
    EXPECT_EQ(prompts.messages.size(), 1);
}

} // namespace
