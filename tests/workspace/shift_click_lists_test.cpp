// A Shift click under a parent captioned otherwise than the anchor's parent
// starts afresh and shows the help text instead of the clicked node's key.
#include "workspace/multi_select.h"

#include "edit_window_fixture.h"
#include "workspace/multi_selection_window.h"
#include "menu_item.h"

using namespace edit_window;
using core::NodeId;
using workspace::MultiSelect;
using workspace::multiSelectHelpText;

namespace {

struct ShiftAcrossLists : ::testing::Test
{
    // Section 1: head H1 | body A B, child event (blk: D). Section 2: body C.
    Doc doc{eexFile({{lockedComment() + H1, A + B + childEvent(blk, D)}, {lockedComment(), C}})};
    MultiSelect sel;

    NodeId n(const QByteArray &record) const { return doc.byRecord(record); }
    QString k(const QByteArray &record) const { return doc.tree.key(n(record)); }
};

TEST_F(ShiftAcrossLists, AnotherParentCaptionResetsWithTheHelpText)
{
    struct Case
    {
        const char *what;
        QString anchor;
        NodeId clicked;
        bool help;  // false: an ordinary plain click answering with the key
    };
    const Case cases[] = {
        {"head list to body", k(H1), n(A), true},
        {"body to head list", k(A), n(H1), true},
        {"nested list to body", k(D), n(B), true},
        {"body to nested list", k(B), n(D), true},
        {"Section to command", doc.tree.key(doc.section()), n(B), true},
        // Two bodies hang under head-end nodes of one caption.
        {"one body to another", k(A), n(C), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        sel.plainClick(doc.tree, n(B));
        sel.ctrlClick(doc.tree, n(A), true);
        ASSERT_EQ(sel.count(), 1);
        sel.setAnchorKey(c.anchor);
        const QString status = sel.shiftClick(doc.tree, c.clicked, true);
        EXPECT_EQ(status, c.help ? multiSelectHelpText() : doc.tree.key(c.clicked));
        EXPECT_TRUE(sel.isEmpty());
        EXPECT_EQ(sel.anchorKey(), doc.tree.key(c.clicked));
    }
}

using ShiftAcrossListsWindow = EditWindow;

TEST_F(ShiftAcrossListsWindow, TheStatusBarShowsTheHelpAndTheMirrorEmpties)
{
    menutest::menuItem(w, "mnuShift")->setChecked(true);
    click(byRecord(A));
    click(byRecord(C), Qt::ShiftModifier);
    ASSERT_EQ(edit->multiSelect().count(), 3);
    ASSERT_EQ(edit->multiSelectionWindow()->nodeCount(), 3);

    click(byRecord(D), Qt::ShiftModifier);  // inside the child event's block
    EXPECT_EQ(w.statusText(), multiSelectHelpText());
    EXPECT_TRUE(edit->multiSelect().isEmpty());
    EXPECT_EQ(edit->multiSelectionWindow()->nodeCount(), 0);
    EXPECT_EQ(edit->multiSelect().anchorKey(), tree().key(byRecord(D)));

    // The new anchor starts the next range.
    click(byRecord(H1), Qt::ShiftModifier);
    EXPECT_EQ(w.statusText(), multiSelectHelpText());
    EXPECT_EQ(edit->multiSelect().anchorKey(), tree().key(byRecord(H1)));
}

} // namespace
