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

struct Shown {
    QString label;
    bool canCancel = false;
    bool running = false;       // LongTask::anyRunning() while shown
    bool viewPainting = false;  // the tree view's updates while shown
};

struct LongSaveTest : EditWindow
{
    std::vector<Shown> shown;

    void SetUp() override
    {
        EditWindow::SetUp();
        LongTask::shownHook() = [this](QProgressDialog &d) {
            const QPushButton *cancel = d.findChild<QPushButton *>();
            shown.push_back({d.labelText(), cancel && cancel->isVisible(), LongTask::anyRunning(),
                             view()->updatesEnabled()});
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
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].label, workspace::kSavingLabel);
    EXPECT_FALSE(shown[0].canCancel);
    EXPECT_TRUE(shown[0].running);
    EXPECT_FALSE(shown[0].viewPainting);
    EXPECT_TRUE(view()->updatesEnabled());
    EXPECT_FALSE(LongTask::anyRunning());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("저장하지 못했습니다."));
    EXPECT_EQ(saved(), before);
    EXPECT_TRUE(doc()->modified());

    // A slow save that succeeds.
    docs->setWriteHook(slowWrite(300, true));
    EXPECT_TRUE(docs->save());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].label, workspace::kSavingLabel);
    EXPECT_EQ(saved(), bytes());
    EXPECT_NE(saved(), before);
    EXPECT_FALSE(doc()->modified());
    EXPECT_TRUE(view()->updatesEnabled());

    // Within the threshold: no dialog.
    LongTask::setShowAfterMs(10000);
    docs->setWriteHook({});
    docs->markTabModified();
    EXPECT_TRUE(docs->save());
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(prompts.messages.size(), 1);
}

} // namespace
