// Long operations of the window with the progress threshold lowered to
// nothing, so that every one shows its dialog: which dialog, whether it can
// be cancelled, and what a cancel leaves behind (an open that leaves the
// documents as they were, a spread that stops with the view showing what the
// tree holds, a find that stops without its "not found" message).
#include "edit_window_fixture.h"

#include "core/eex_reader.h"
#include "fixtures/scenario_generator.h"
#include "workspace/find_dialog.h"
#include "workspace/replace_dialog.h"
#include "workspace/long_task.h"

#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>

using namespace edit_window;
using workspace::LongTask;

namespace {

struct Shown {
    QString label;
    bool canCancel = false;
    bool running = false;  // LongTask::anyRunning() while shown
};

struct LongTaskTest : EditWindow
{
    std::vector<Shown> shown;
    bool cancelOnShow = false;

    void SetUp() override
    {
        EditWindow::SetUp();
        LongTask::setShowAfterMs(0);
        LongTask::shownHook() = [this](QProgressDialog &d) {
            const QPushButton *cancel = d.findChild<QPushButton *>();
            shown.push_back({d.labelText(), cancel && cancel->text() == workspace::kCancelText, LongTask::anyRunning()});
            if (cancelOnShow)
                d.cancel();
        };
    }
    void TearDown() override
    {
        LongTask::shownHook() = {};
        LongTask::setShowAfterMs(500);
        EditWindow::TearDown();
    }

    QByteArray generated(int bytes)
    {
        fixtures::GeneratorOptions opt;
        opt.targetBytes = bytes;
        opt.armyTables = false;
        fixtures::ScenarioGenerator gen(9, opt);
        return fixtures::scenarioBytes(gen.scenario());
    }

    // Every node with children shows in the view as the tree holds it.
    void expectViewMatchesTree()
    {
        const auto *m = view()->docModel();
        for (core::NodeId n = tree().root(); n != core::kNoNode; n = tree().nextInOrder(n))
            if (tree().childCount(n) > 0)
                ASSERT_EQ(view()->isExpanded(m->indexOf(n)), tree().expanded(n)) << tree().key(n).toStdString();
    }
    int expandedCount()
    {
        int count = 0;
        for (core::NodeId n = tree().root(); n != core::kNoNode; n = tree().nextInOrder(n))
            count += tree().childCount(n) > 0 && tree().expanded(n);
        return count;
    }
    int withChildren()
    {
        int count = 0;
        for (core::NodeId n = tree().root(); n != core::kNoNode; n = tree().nextInOrder(n))
            count += tree().childCount(n) > 0;
        return count;
    }
};

TEST_F(LongTaskTest, CancelledOpenLeavesTheDocumentsAsTheyWereAndAnOpenThatRunsOpens)
{
    ASSERT_TRUE(writeBytes("big.eex", generated(64 * 1024)));
    const QString path = dir.filePath("big.eex");
    workspace::Document *before = doc();
    const QByteArray beforeBytes = bytes();
    const core::KeySerial serial = docs->keySerial();

    cancelOnShow = true;
    EXPECT_FALSE(docs->openFiles({path}));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].label, workspace::kOpeningLabel);
    EXPECT_TRUE(shown[0].canCancel);
    EXPECT_TRUE(shown[0].running);
    EXPECT_FALSE(LongTask::anyRunning());
    EXPECT_EQ(docs->tabCount(), 1);
    EXPECT_EQ(doc(), before);
    EXPECT_EQ(bytes(), beforeBytes);
    EXPECT_EQ(docs->keySerial(), serial);
    EXPECT_TRUE(prompts.messages.isEmpty());

    // Not cancelled: the same tree and serials as a plain read.
    cancelOnShow = false;
    core::DocTree expected;
    core::KeySerial expectedSerial = serial;
    ASSERT_TRUE(core::eexLoadFile(path, expected, expectedSerial).ok);
    EXPECT_TRUE(docs->openFiles({path}));
    ASSERT_EQ(docs->tabCount(), 2);
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(docs->keySerial(), expectedSerial);
    EXPECT_EQ(tree().count(), expected.count());
    EXPECT_EQ(tree().key(tree().lastChild(tree().lastChild(tree().lastChild(tree().root())))),
              expected.key(expected.lastChild(expected.lastChild(expected.lastChild(expected.root())))));
}

TEST_F(LongTaskTest, SpreadAndFoldShowProgressAndAStoppedSpreadShowsWhatTheTreeHolds)
{
    ASSERT_TRUE(openBytes("big.eex", generated(100 * 1024)));
    shown.clear();
    select(tree().root());
    act("mnuSpread")->trigger();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].label, workspace::kSpreadingLabel);
    EXPECT_TRUE(shown[0].canCancel);
    EXPECT_EQ(expandedCount(), withChildren());
    expectViewMatchesTree();

    act("mnuFold")->trigger();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].label, workspace::kFoldingLabel);
    EXPECT_EQ(expandedCount(), 0);
    expectViewMatchesTree();

    // Cancelled at once: nothing changes.
    cancelOnShow = true;
    act("mnuSpread")->trigger();
    EXPECT_EQ(expandedCount(), 0);
    expectViewMatchesTree();

    // Stopped half-way: what was reached is expanded, the rest is not.
    int reports = 0;
    EXPECT_FALSE(view()->spreadFold(tree().root(), true, [&](auto, auto) { return ++reports < 2; }));
    EXPECT_GT(expandedCount(), 0);
    EXPECT_LT(expandedCount(), withChildren());
    expectViewMatchesTree();
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(LongTaskTest, FindReplaceAllUndoAndRedoShowProgressAndOnlyFindCanBeCancelled)
{
    ASSERT_TRUE(openBytes("big.eex", generated(32 * 1024)));
    shown.clear();
    act("mnuFind")->trigger();
    auto *find = w.findChild<workspace::FindDialog *>();
    ASSERT_NE(find, nullptr);
    find->findChild<QRadioButton *>("oInstr")->setChecked(true);
    find->findChild<QLineEdit *>("tStr")->setText("@@@@");
    cancelOnShow = true;
    find->find();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].label, workspace::kFindingLabel);
    EXPECT_TRUE(shown[0].canCancel);
    EXPECT_TRUE(prompts.messages.isEmpty());  // stopped: no "not found"
    cancelOnShow = false;
    find->find();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, workspace::kFindNotFoundMessage);
    find->close();

    // The rest cannot stop half-way: no cancel button, and a cancel does nothing.
    cancelOnShow = true;
    const QByteArray original = bytes();
    act("mnuReplace")->trigger();
    auto *replace = w.findChild<workspace::ReplaceDialog *>();
    ASSERT_NE(replace, nullptr);
    replace->findChild<QLineEdit *>("tFind")->setText(" ");
    replace->findChild<QLineEdit *>("tReplace")->setText("__");
    replace->replaceAll();
    const QByteArray replaced = bytes();
    EXPECT_NE(replaced, original);
    act("mnuHistoryCancle")->trigger();
    EXPECT_EQ(bytes(), original);
    act("mnuAgain")->trigger();
    EXPECT_EQ(bytes(), replaced);
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[2].label, workspace::kReplacingLabel);
    EXPECT_FALSE(shown[2].canCancel);
    EXPECT_EQ(shown[3].label, workspace::kUndoingLabel);
    EXPECT_FALSE(shown[3].canCancel);
    EXPECT_EQ(shown[4].label, workspace::kRedoingLabel);
    EXPECT_FALSE(shown[4].canCancel);
}

} // namespace
