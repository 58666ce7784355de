// The Edit items and toolbar buttons after a click on every kind of node, as
// the window shows them, and what an enabled item does where it cannot act:
// a refused paste answers with a message, a refused move or child event
// does nothing at all.
#include "edit_window_fixture.h"
#include "workspace/add_dialogs/add_dialogs.h"

#include <QToolBar>
#include <QToolButton>

using namespace edit_window;
using core::NodeId;

namespace {

constexpr const char *kItems[] = {"mnuEditnodes", "mnuaddnodes", "mnuchildnodes", "mnuDelete", "mnuCopy",
                                  "mnuCut",       "mnupaste",    "mnuUpmove",     "mnuDownmove"};

// Toolbar buttons and the items they follow.
constexpr std::pair<const char *, const char *> kButtons[] = {
    {"삭제", "mnuDelete"}, {"복사", "mnuCopy"}, {"잘라내기", "mnuCut"}, {"붙여넣기", "mnupaste"}};

struct Row
{
    const char *node;
    // edit add child delete copy cut paste up down; "C": on when the clipboard holds a node.
    const char *flags;
};

// The sample: one Scene, one Section (locked comment, H1 | A B C, marker, blk holding D).
constexpr Row kRows[] = {
    {"root", "000000000"},      {"scene", "010111C11"},   {"section", "010111C11"},
    {"locked", "100000000"},    {"head", "111111C11"},    {"headEnd", "111000C00"},
    {"bodyFirst", "111111C11"}, {"marker", "111100C11"},  {"block", "100111011"},
    {"inner", "111111C11"},     {"nestedEnd", "111000C00"}, {"bodyEnd", "111000C00"},
};

struct CommandStateWindow : EditWindow
{
    NodeId node(const QString &name) const
    {
        const NodeId block = byRecord(blk);
        if (name == "root")
            return tree().root();
        if (name == "scene")
            return tree().child(tree().root(), 0);
        if (name == "section")
            return section();
        if (name == "locked")
            return locked();
        if (name == "head")
            return byRecord(H1);
        if (name == "headEnd")
            return headEnd();
        if (name == "bodyFirst")
            return byRecord(A);
        if (name == "marker")
            return tree().previous(block);
        if (name == "block")
            return block;
        if (name == "inner")
            return byRecord(D);
        if (name == "nestedEnd")
            return tree().lastChild(block);
        if (name == "bodyEnd")
            return tree().lastChild(headEnd());
        return core::kNoNode;
    }
    QString shown() const
    {
        QString out;
        for (const char *item : kItems)
            out += act(item)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return out;
    }
    QToolButton *button(const char *key) const
    {
        return w.toolbar()->findChild<QToolButton *>(QString::fromUtf8(key));
    }
    void expectTable(bool clipboardFull)
    {
        for (const Row &row : kRows) {
            SCOPED_TRACE(row.node);
            const NodeId n = node(QString::fromLatin1(row.node));
            ASSERT_NE(n, core::kNoNode);
            click(n);
            ASSERT_EQ(view()->selectedNode(), n);
            const QString want = QString::fromLatin1(row.flags).replace('C', clipboardFull ? '1' : '0');
            EXPECT_EQ(shown().toStdString(), want.toStdString());
            for (const auto &[key, item] : kButtons)
                EXPECT_EQ(button(key)->isEnabled(), act(item)->isEnabled()) << key;
        }
    }
    bool marked() const { return w.tabStrip()->tabText(0).endsWith(" *"); }
};

TEST_F(CommandStateWindow, EveryKindOfNodeGetsTheItemsOfItsRow)
{
    expectTable(false);
    // Whatever the clipboard holds, it only has to hold a node.
    select(byRecord(C));
    act("mnuCopy")->trigger();
    expectTable(true);
    select(section());
    act("mnuCopy")->trigger();
    expectTable(true);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(CommandStateWindow, APasteThatCannotGoThereSaysSoAndChangesNothing)
{
    select(section());
    act("mnuCopy")->trigger();
    for (const NodeId target : {byRecord(A), tree().child(tree().root(), 0)}) {
        click(target);
        ASSERT_TRUE(act("mnupaste")->isEnabled());
        prompts.messages.clear();
        act("mnupaste")->trigger();
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_EQ(prompts.messages[0].text, "붙여넣기할 수 없습니다！");
        EXPECT_EQ(prompts.messages[0].title, "Error！");
        EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Critical);
    }
    EXPECT_EQ(bytes(), sample());
    EXPECT_EQ(undoSteps(), 0);
    EXPECT_FALSE(marked());
}

TEST_F(CommandStateWindow, EnabledMovesAndChildEventsThatCannotActDoNothing)
{
    workspace::add_dialogs::ScriptedAddDialogs dialogs;
    dialogs.answers = {0x6E};
    // The first node of a list, a child event before the end node, the only Scene.
    const std::pair<NodeId, const char *> moves[] = {{byRecord(A), "mnuUpmove"},
                                                     {byRecord(blk), "mnuDownmove"},
                                                     {tree().child(tree().root(), 0), "mnuUpmove"},
                                                     {tree().child(tree().root(), 0), "mnuDownmove"},
                                                     {byRecord(H1), "mnuUpmove"},
                                                     {byRecord(H1), "mnuDownmove"}};
    for (const auto &[n, item] : moves) {
        click(n);
        ASSERT_TRUE(act(item)->isEnabled()) << item;
        act(item)->trigger();
    }
    // Child events never go into a Section's head list: no dialog opens.
    for (const NodeId n : {byRecord(H1), headEnd()}) {
        click(n);
        ASSERT_TRUE(act("mnuchildnodes")->isEnabled());
        act("mnuchildnodes")->trigger();
    }
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(bytes(), sample());
    EXPECT_EQ(undoSteps(), 0);
    EXPECT_FALSE(marked());
}

} // namespace
