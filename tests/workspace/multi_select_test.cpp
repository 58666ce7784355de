// The multi-selection: Ctrl toggles and Shift ranges on a tree (headless),
// then real clicks on the document tree with the mirror window, and delete,
// copy, cut and moves acting on the selection.
#include "workspace/multi_select.h"

#include "edit_window_fixture.h"
#include "workspace/multi_selection_window.h"

#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

using namespace edit_window;
using core::NodeId;
using workspace::MultiSelect;
using workspace::multiSelectCountText;

namespace {

const QByteArray E = plain(5);

struct Selection : ::testing::Test
{
    // Two Sections: the first's body A B C D E, the second's body A2.
    Doc doc{eexFile({{lockedComment(), A + B + C + D + E}, {lockedComment(), plain(0x30)}})};
    MultiSelect sel;

    NodeId n(const QByteArray &record) { return doc.byRecord(record); }
    QString k(const QByteArray &record) { return doc.tree.key(n(record)); }
    QStringList keys(std::initializer_list<QByteArray> records)
    {
        QStringList out;
        for (const QByteArray &r : records)
            out << k(r);
        return out;
    }
    QString ctrl(const QByteArray &r, bool option = true) { return sel.ctrlClick(doc.tree, n(r), option); }
    QString shift(NodeId node, bool option = true) { return sel.shiftClick(doc.tree, node, option); }
};

TEST_F(Selection, CtrlTogglesAndReportsTheKeyOrTheCount)
{
    EXPECT_EQ(ctrl(B), k(B));
    EXPECT_EQ(ctrl(B), multiSelectCountText(0));
    EXPECT_EQ(multiSelectCountText(0), "0개 선택");
    EXPECT_TRUE(sel.isEmpty());
    ctrl(A);
    ctrl(D);
    ctrl(C);
    EXPECT_EQ(ctrl(D), "2개 선택");
    EXPECT_EQ(sel.keys(), keys({A, C}));
    // Not eligible: the locked comment and end nodes; nothing changes.
    EXPECT_TRUE(sel.ctrlClick(doc.tree, doc.lockedCommentNode(), true).isNull());
    EXPECT_TRUE(sel.ctrlClick(doc.tree, doc.bodyEnd(), true).isNull());
    EXPECT_TRUE(sel.ctrlClick(doc.tree, doc.section(), true).isNull());
    // Option off: the key only.
    EXPECT_EQ(ctrl(E, false), k(E));
    EXPECT_EQ(sel.keys(), keys({A, C}));
    // A plain click empties it and anchors.
    EXPECT_EQ(sel.plainClick(doc.tree, n(B)), k(B));
    EXPECT_TRUE(sel.isEmpty());
    EXPECT_EQ(sel.anchorKey(), k(B));
}

TEST_F(Selection, ShiftRangesRunFromTheAnchorInEitherDirection)
{
    sel.plainClick(doc.tree, n(A));
    EXPECT_EQ(shift(n(D)), k(D));
    EXPECT_EQ(sel.keys(), keys({A, B, C, D}));
    EXPECT_TRUE(sel.downward());

    sel.plainClick(doc.tree, n(E));
    ctrl(D);
    EXPECT_EQ(shift(n(B)), k(B));
    EXPECT_EQ(sel.keys(), keys({D, C, B}));
    EXPECT_FALSE(sel.downward());

    // Up to the end node: everything before it, then the count.
    sel.plainClick(doc.tree, n(C));
    EXPECT_EQ(shift(doc.bodyEnd()), multiSelectCountText(3));
    EXPECT_EQ(sel.keys(), keys({C, D, E}));
    // Option off: the key only.
    sel.plainClick(doc.tree, n(A));
    EXPECT_EQ(shift(n(C), false), k(C));
    EXPECT_TRUE(sel.isEmpty());
}

TEST_F(Selection, AShiftClickWithoutAFittingAnchorIsAPlainClick)
{
    // No anchor yet.
    EXPECT_EQ(shift(n(C)), k(C));
    EXPECT_TRUE(sel.isEmpty());
    EXPECT_EQ(sel.anchorKey(), k(C));
    // Anchor under another parent (another Section's body).
    ctrl(A);
    const NodeId other = doc.byRecord(plain(0x30));
    EXPECT_EQ(shift(other), doc.tree.key(other));
    EXPECT_TRUE(sel.isEmpty());
    EXPECT_EQ(sel.anchorKey(), doc.tree.key(other));
    // Anchor not eligible (the list's end node), or no longer in the tree.
    sel.setAnchorKey(doc.tree.key(doc.bodyEnd()));
    EXPECT_EQ(shift(n(B)), k(B));
    EXPECT_TRUE(sel.isEmpty());
    sel.setAnchorKey("gone_1");
    shift(n(B));
    EXPECT_TRUE(sel.isEmpty());
}

// --- in the window -------------------------------------------------------------

struct MultiWindow : EditWindow
{
    workspace::MultiSelectionWindow *mirror() { return edit->multiSelectionWindow(); }
};

TEST_F(MultiWindow, ClicksBuildTheSelectionAndTheMirrorFollows)
{
    click(byRecord(A));
    click(byRecord(C), Qt::ShiftModifier);
    const QStringList abc{tree().key(byRecord(A)), tree().key(byRecord(B)), tree().key(byRecord(C))};
    EXPECT_EQ(edit->multiSelect().keys(), abc);
    EXPECT_EQ(mirror()->topKeys(), abc);
    EXPECT_EQ(w.statusText(), tree().key(byRecord(C)));
    EXPECT_FALSE(act("mnupaste")->isEnabled());

    click(byRecord(B), Qt::ControlModifier);
    EXPECT_EQ(w.statusText(), "2개 선택");
    EXPECT_EQ(mirror()->nodeCount(), 2);
    // The child event's block comes with its branch.
    click(byRecord(blk), Qt::ControlModifier);
    ASSERT_EQ(mirror()->nodeCount(), 3);
    EXPECT_EQ(mirror()->tree()->topLevelItem(2)->childCount(), 2);

    // With the Ctrl option off a Ctrl click only shows the key.
    act("mnuCtrl")->trigger();
    ASSERT_FALSE(act("mnuCtrl")->isChecked());
    click(byRecord(A), Qt::ControlModifier);
    EXPECT_EQ(edit->multiSelect().count(), 3);

    click(byRecord(A));
    EXPECT_TRUE(edit->multiSelect().isEmpty());
    EXPECT_EQ(mirror()->nodeCount(), 0);
}

TEST_F(MultiWindow, DeletingThreeCommandsGivesThreeRecordsUndoneOnePerCtrlZ)
{
    click(byRecord(A));
    click(byRecord(C), Qt::ShiftModifier);
    key(Qt::Key_Delete);
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, childEvent(blk, D)}}));
    ASSERT_EQ(undoSteps(), 3);
    for (int i = 0; i < 3; ++i) {
        const core::StepCommand *step = doc()->history().step(i);
        ASSERT_EQ(step->recordCount(), 1);
        EXPECT_EQ(step->record(0).kind(), core::RecordKind::Delete);
    }
    EXPECT_EQ(w.statusText(), workspace::multiSelectHelpText());
    EXPECT_TRUE(edit->multiSelect().isEmpty());
    EXPECT_EQ(mirror()->nodeCount(), 0);
    // The last deleted comes back first.
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, C + childEvent(blk, D)}}));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, B + C + childEvent(blk, D)}}));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), sample());
    EXPECT_FALSE(act("mnuHistoryCancle")->isEnabled());
}

TEST_F(MultiWindow, ABlockAndACommandInsideItDeleteCleanly)
{
    click(byRecord(blk), Qt::ControlModifier);
    click(byRecord(D), Qt::ControlModifier);
    click(byRecord(A), Qt::ControlModifier);
    ASSERT_EQ(edit->multiSelect().count(), 3);
    act("mnuDelete")->trigger();
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, B + C}}));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree()));
    EXPECT_TRUE(prompts.messages.isEmpty());
    // The child event and A: a step each.
    ASSERT_EQ(undoSteps(), 2);
    act("mnuHistoryCancle")->trigger();
    act("mnuHistoryCancle")->trigger();
    EXPECT_EQ(bytes(), sample());
}

TEST_F(MultiWindow, CopyCutAndMovesActOnTheSelection)
{
    click(byRecord(A), Qt::ControlModifier);
    click(byRecord(C), Qt::ControlModifier);
    act("mnuCopy")->trigger();
    EXPECT_EQ(edit->multiSelect().count(), 2);  // copy keeps the selection
    click(byRecord(B));
    act("mnupaste")->trigger();
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, A + A + C + B + C + childEvent(blk, D)}}));
    act("mnuHistoryCancle")->trigger();  // an undo per pasted node
    act("mnuHistoryCancle")->trigger();

    // Down: both move one place, the lower first.
    click(byRecord(A), Qt::ControlModifier);
    click(byRecord(B), Qt::ControlModifier);
    act("mnuDownmove")->trigger();
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, C + A + B + childEvent(blk, D)}}));
    act("mnuHistoryCancle")->trigger();
    EXPECT_EQ(bytes(), sample());

    click(byRecord(B));
    click(byRecord(C), Qt::ShiftModifier);
    act("mnuCut")->trigger();
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, A + childEvent(blk, D)}}));
    EXPECT_EQ(undoSteps(), 2);  // a step per cut command, as for delete
    EXPECT_TRUE(edit->multiSelect().isEmpty());
    click(byRecord(A));
    act("mnupaste")->trigger();
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, B + C + A + childEvent(blk, D)}}));
}

TEST_F(MultiWindow, TheSelectionEndsWithItsTab)
{
    click(byRecord(A), Qt::ControlModifier);
    ASSERT_TRUE(openBytes("b.eex", sample()));
    EXPECT_TRUE(edit->multiSelect().isEmpty());
    EXPECT_EQ(mirror()->nodeCount(), 0);

    click(byRecord(A), Qt::ControlModifier);
    w.tabStrip()->setCurrentIndex(0);
    EXPECT_TRUE(edit->multiSelect().isEmpty());

    click(byRecord(B), Qt::ControlModifier);
    docs->reload();
    EXPECT_TRUE(edit->multiSelect().isEmpty());

    click(byRecord(B), Qt::ControlModifier);
    docs->closeTab();
    EXPECT_TRUE(edit->multiSelect().isEmpty());
    EXPECT_EQ(mirror()->nodeCount(), 0);
}

TEST_F(MultiWindow, TheMirrorHasNoOwnerAndOnlyHidesOnClose)
{
    act("mnuCopyView")->trigger();
    ASSERT_TRUE(mirror()->isVisible());
    EXPECT_EQ(mirror()->parentWidget(), nullptr);
    EXPECT_EQ(mirror()->windowTitle(), "MultiSelectView");
    EXPECT_FALSE(mirror()->testAttribute(Qt::WA_QuitOnClose));
    click(byRecord(A), Qt::ControlModifier);
    mirror()->close();
    EXPECT_FALSE(mirror()->isVisible());
    EXPECT_EQ(mirror()->nodeCount(), 1);
}

TEST_F(MultiWindow, WithTheShiftOptionOffAShiftClickOnlyShowsTheKey)
{
    act("mnuShift")->trigger();
    ASSERT_FALSE(act("mnuShift")->isChecked());
    click(byRecord(A));
    click(byRecord(C), Qt::ShiftModifier);
    EXPECT_TRUE(edit->multiSelect().isEmpty());
    EXPECT_EQ(mirror()->nodeCount(), 0);
    EXPECT_EQ(w.statusText(), tree().key(byRecord(C)));
    // Ctrl clicks keep working on their own option.
    click(byRecord(B), Qt::ControlModifier);
    EXPECT_EQ(edit->multiSelect().count(), 1);
}

TEST_F(MultiWindow, ClosingTheMainWindowEndsTheProgramWithTheMirrorOpen)
{
    act("mnuCopyView")->trigger();
    click(byRecord(A), Qt::ControlModifier);
    ASSERT_TRUE(mirror()->isVisible());
    w.setQuitOnClose(true);  // as the program's main() sets it
    bool timedOut = false;
    QTimer::singleShot(0, &w, [this] { w.close(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    guard.start(5000);
    const int rc = QCoreApplication::exec();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(rc, 0);
    EXPECT_FALSE(w.isVisible());
    mirror()->hide();
}

} // namespace
