// The command state of every Edit item for every kind of node, with an empty
// clipboard and with one holding a command, and what the history and the
// multi-selection add to it.
#include "workspace/command_state.h"

#include "core/edit_history_test_doc.h"
#include "core/structure_edits.h"
#include "core/undo_redo.h"
#include "workspace/main_window.h"

#include <QAction>

#include <gtest/gtest.h>

using namespace core;
using namespace edit_test;
using workspace::CommandState;
using workspace::CommandStateInput;
using workspace::NodeKind;
using workspace::commandStateFor;

namespace {

const QByteArray H1 = plain(0x21), H2 = plain(0x22);
const QByteArray A = plain(1), B = plain(2), D = plain(4);
const QByteArray blk = fixtures::hexBytes("6E 00 04 00 32 00 00 00");

// Scene with two Sections; the second: locked comment, H1, H2 | A, child event (blk: B), D.
QByteArray sample()
{
    return eexFile({{lockedComment(), plain(9)}, {lockedComment() + H1 + H2, A + childEvent(blk, B) + D}});
}

struct Expect
{
    const char *name;
    NodeKind kind;
    // edit add child delete copy cut paste up down; paste with a command on the clipboard.
    const char *flags;
};

CommandState parse(const char *flags)
{
    auto on = [&](int i) { return flags[i] == '1'; };
    CommandState s;
    s.edit = on(0);
    s.add = on(1);
    s.addChild = on(2);
    s.remove = on(3);
    s.copy = on(4);
    s.cut = on(5);
    s.paste = on(6);
    s.moveUp = on(7);
    s.moveDown = on(8);
    return s;
}

struct CommandStateTable : ::testing::Test
{
    Doc doc{sample()};
    Clipboard clipboard;

    NodeId node(const char *name)
    {
        const QString n = QString::fromLatin1(name);
        const DocTree &t = doc.tree;
        if (n == "root")
            return t.root();
        if (n == "scene")
            return t.child(t.root(), 0);
        if (n == "section")
            return doc.section(1);
        if (n == "locked")
            return doc.lockedCommentNode(1);
        if (n == "head1")
            return doc.byRecord(H1);
        if (n == "head2")
            return doc.byRecord(H2);
        if (n == "headEnd")
            return doc.headEnd(1);
        if (n == "bodyFirst")
            return doc.byRecord(A);
        if (n == "marker")
            return t.previous(doc.byRecordPrefix(blk));
        if (n == "block")
            return doc.byRecordPrefix(blk);
        if (n == "inner")
            return doc.byRecord(B);
        if (n == "nestedEnd")
            return t.lastChild(doc.byRecordPrefix(blk));
        if (n == "bodyLast")
            return doc.byRecord(D);
        return kNoNode;
    }
    CommandState stateOf(NodeId n, const QStringList &multi = {})
    {
        CommandStateInput in;
        in.tree = &doc.tree;
        in.selected = n;
        in.clipboard = &clipboard;
        in.history = &doc.history;
        in.multiKeys = multi;
        CommandState s = commandStateFor(in);
        s.undo = s.redo = s.spread = s.fold = false;
        return s;
    }
};

TEST_F(CommandStateTable, EveryNodeKindGetsItsItems)
{
    // edit add child del copy cut paste up down
    const Expect table[] = {
        {"root", NodeKind::Root, "000000000"},
        {"scene", NodeKind::SceneOrSection, "010111111"},  // the only Scene too: its move does nothing
        {"section", NodeKind::SceneOrSection, "010111111"},
        {"locked", NodeKind::LockedComment, "100000000"},
        {"head1", NodeKind::Command, "111111111"},         // the child event and move up refuse there
        {"head2", NodeKind::Command, "111111111"},
        {"headEnd", NodeKind::EndNode, "111000100"},
        {"bodyFirst", NodeKind::Command, "111111111"},
        {"marker", NodeKind::Marker, "111100111"},
        {"block", NodeKind::BlockWithList, "100111011"},
        {"inner", NodeKind::Command, "111111111"},
        {"nestedEnd", NodeKind::EndNode, "111000100"},
        {"bodyLast", NodeKind::Command, "111111111"},
    };
    ASSERT_TRUE(copyNodes(doc.tree, node("bodyLast"), {}, clipboard).ok);
    for (const Expect &e : table) {
        SCOPED_TRACE(e.name);
        const NodeId n = node(e.name);
        ASSERT_NE(n, kNoNode);
        EXPECT_EQ(workspace::nodeKindOf(doc.tree, n), e.kind);
        EXPECT_EQ(stateOf(n), parse(e.flags));
    }
    // An empty clipboard takes Paste away from every kind.
    clipboard.clear();
    for (const Expect &e : table) {
        SCOPED_TRACE(e.name);
        CommandState want = parse(e.flags);
        want.paste = false;
        EXPECT_EQ(stateOf(node(e.name)), want);
    }
}

TEST_F(CommandStateTable, PasteNeedsAFilledClipboardWhateverItHolds)
{
    // What may go where is the paste's own question (it refuses with a message).
    ASSERT_TRUE(copyNodes(doc.tree, node("block"), {}, clipboard).ok);
    EXPECT_TRUE(stateOf(node("head1")).paste);
    EXPECT_TRUE(stateOf(node("bodyFirst")).paste);
    ASSERT_TRUE(copyNodes(doc.tree, node("section"), {}, clipboard).ok);
    EXPECT_TRUE(stateOf(node("section")).paste);
    EXPECT_TRUE(stateOf(node("bodyFirst")).paste);
    EXPECT_TRUE(stateOf(node("scene")).paste);
    // Never before a block with a nested list or the locked comment.
    EXPECT_FALSE(stateOf(node("block")).paste);
    EXPECT_FALSE(stateOf(node("locked")).paste);
    // While a multi-selection exists Paste is off.
    ASSERT_TRUE(copyNodes(doc.tree, node("bodyLast"), {}, clipboard).ok);
    EXPECT_FALSE(stateOf(node("bodyFirst"), {doc.tree.key(node("inner"))}).paste);
}

TEST_F(CommandStateTable, UndoAndRedoFollowTheHistoryAndNoDocumentTurnsEverythingOff)
{
    CommandStateInput in;
    in.tree = &doc.tree;
    in.selected = node("bodyFirst");
    in.clipboard = &clipboard;
    in.history = &doc.history;
    EXPECT_FALSE(commandStateFor(in).undo);
    EXPECT_FALSE(commandStateFor(in).redo);
    EXPECT_TRUE(commandStateFor(in).spread);
    ASSERT_TRUE(deleteNodes(doc.ctx, node("inner")).ok);
    EXPECT_TRUE(commandStateFor(in).undo);
    EXPECT_FALSE(commandStateFor(in).redo);
    ASSERT_TRUE(undo(doc.ctx).ok);
    EXPECT_FALSE(commandStateFor(in).undo);
    EXPECT_TRUE(commandStateFor(in).redo);

    EXPECT_EQ(commandStateFor(CommandStateInput{}), CommandState{});
    in.selected = kNoNode;
    CommandState none = commandStateFor(in);
    EXPECT_FALSE(none.edit || none.remove || none.spread);
    EXPECT_TRUE(none.redo);
}

TEST_F(CommandStateTable, EveryFieldDrivesAMenuItem)
{
    workspace::MainWindow window;
    QStringList names;
    for (const auto &item : workspace::commandItems())
        names << (window.actions().*item.action)->objectName();
    EXPECT_EQ(names, QStringList({"mnuEditnodes", "mnuaddnodes", "mnuchildnodes", "mnuDelete", "mnuCopy", "mnuCut",
                                  "mnupaste", "mnuUpmove", "mnuDownmove", "mnuHistoryCancle", "mnuAgain",
                                  "mnuSpread", "mnuFold"}));
}

} // namespace
