// Whether the dispatch tells a dialog that its command is new: only a command
// an add dialog or a quick-add key made in this session, until the first OK
// of its dialog. A command read from the file, pasted, or brought back by
// undo and redo is stored, whatever its key holds.
#include "edit_window_fixture.h"

#include "core/catalogue.h"
#include "core/tree_queries.h"
#include "workspace/add_dialogs/add_dialogs.h"
#include "workspace/dialog_registry.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace edit_window;
using core::NodeId;

namespace {

// Stands in for the dialogs of the codes below: records what the dispatch
// told it and closes with OK or Cancel as the test asks.
struct Probe
{
    std::vector<bool> told;  // ctx.newCommand at each opening
    bool confirm = true;
    std::vector<std::unique_ptr<workspace::ScopedDialogOverride>> overrides;
    std::optional<workspace::ScopedDialogRunner> runner;

    explicit Probe(std::initializer_list<int> codes)
    {
        for (int code : codes)
            overrides.push_back(std::make_unique<workspace::ScopedDialogOverride>(
                code, [this](workspace::EditContext &ctx) {
                    told.push_back(ctx.newCommand);
                    return std::make_unique<QDialog>();
                }));
        runner.emplace([this](QDialog &d, workspace::EditContext &) {
            if (confirm)
                d.accept();
            else
                d.reject();
        });
    }
};

constexpr int kAppear = 0x60;  // a command of a body list with a dialog
constexpr int kVarTest = 0x05;  // a block code with a dialog, for the head list
constexpr int kPercent = 0x6E;  // the block of a child event

using NewCommand = EditWindow;

struct Road
{
    const char *name;
    int code;
    // Makes the command in front of the selected node C (or the head's H1).
    std::function<void(NewCommand &, workspace::add_dialogs::ScriptedAddDialogs &)> add;
    bool inHead = false;
};

const std::vector<Road> &roads()
{
    static const std::vector<Road> rows{
        {"body add dialog", kAppear,
         [](NewCommand &t, auto &dialogs) {
             dialogs.answers = {kAppear};
             t.act("mnuaddnodes")->trigger();
         }},
        {"head add dialog", kVarTest,
         [](NewCommand &t, auto &dialogs) {
             dialogs.answers = {kVarTest};
             t.act("mnuaddnodes")->trigger();
         },
         true},
        {"child-event dialog", kPercent,
         [](NewCommand &t, auto &dialogs) {
             dialogs.answers = {kPercent};
             t.act("mnuchildnodes")->trigger();
         }},
        {"quick add", kAppear,
         [](NewCommand &t, auto &) {
             core::writeINI("Fast_Add", "0", QString::number(kAppear));
             core::writeINI("Fast_Add", "0Child", "False");
             t.key(Qt::Key_U);
         }},
        {"quick add of a child event", kPercent,
         [](NewCommand &t, auto &) {
             core::writeINI("Fast_Add", "0", QString::number(kPercent));
             core::writeINI("Fast_Add", "0Child", "True");
             t.key(Qt::Key_U);
         }},
    };
    return rows;
}

TEST_F(NewCommand, EveryAddRoadMakesANewCommandUntilItsFirstOk)
{
    for (const Road &road : roads()) {
        SCOPED_TRACE(road.name);
        workspace::add_dialogs::ScriptedAddDialogs dialogs;
        Probe probe{kAppear, kVarTest, kPercent};
        const NodeId target = road.inHead ? byRecord(H1) : byRecord(C);
        select(target);
        road.add(*this, dialogs);
        const NodeId made = tree().previous(target);
        ASSERT_EQ(core::nodeNumber(tree(), made), road.code);

        // Cancel leaves it new; the first OK, even one without a change,
        // makes it a stored command.
        select(made);
        probe.confirm = false;
        edit->editSelected();
        probe.confirm = true;
        edit->editSelected();
        edit->editSelected();
        EXPECT_EQ(probe.told, std::vector<bool>({true, true, false}));
    }
}

TEST_F(NewCommand, ACommandFromTheFileOrAPasteOrARedoIsStored)
{
    workspace::add_dialogs::ScriptedAddDialogs dialogs;
    Probe probe{kAppear, 0x0F};

    // Read from the file.
    select(byRecord(A));
    edit->editSelected();
    EXPECT_EQ(probe.told, std::vector<bool>({false}));

    // A copy of a new command pasted: the copy is stored, the original still new.
    dialogs.answers = {kAppear};
    select(byRecord(C));
    act("mnuaddnodes")->trigger();
    const NodeId made = tree().previous(byRecord(C));
    ASSERT_EQ(core::nodeNumber(tree(), made), kAppear);
    select(made);
    act("mnuCopy")->trigger();
    select(byRecord(B));
    act("mnupaste")->trigger();
    const NodeId pasted = tree().previous(byRecord(B));
    ASSERT_EQ(core::nodeNumber(tree(), pasted), kAppear);
    ASSERT_NE(pasted, made);
    probe.told.clear();
    select(pasted);
    edit->editSelected();
    select(made);
    edit->editSelected();
    EXPECT_EQ(probe.told, std::vector<bool>({false, true}));

    // An add undone and redone: the command comes back from its stored key.
    dialogs.answers = {kAppear};
    select(byRecord(A));
    act("mnuaddnodes")->trigger();
    ASSERT_EQ(core::nodeNumber(tree(), tree().previous(byRecord(A))), kAppear);
    edit->undo();
    ASSERT_NE(core::nodeNumber(tree(), tree().previous(byRecord(A))), kAppear);
    edit->redo();
    const NodeId redone = tree().previous(byRecord(A));
    ASSERT_EQ(core::nodeNumber(tree(), redone), kAppear);
    probe.told.clear();
    select(redone);
    edit->editSelected();
    EXPECT_EQ(probe.told, std::vector<bool>({false}));
}

TEST_F(NewCommand, AFileReadAfreshIntoTheTabHasNoNewCommands)
{
    // The tree read again gives its nodes the numbers the old tree used,
    // the added command's among them; the file holds commands equal to its
    // template there. None of them is taken for the command added before.
    workspace::add_dialogs::ScriptedAddDialogs dialogs;
    Probe probe{kAppear, 0x0F};
    dialogs.answers = {kAppear};
    select(byRecord(C));
    act("mnuaddnodes")->trigger();
    const NodeId made = tree().previous(byRecord(C));
    ASSERT_EQ(core::nodeNumber(tree(), made), kAppear);

    QByteArray appearances;
    for (int i = 0; i < 12; ++i)
        appearances += core::recordBytes(core::defaultRecord(kAppear)).value();
    ASSERT_TRUE(writeBytes("a.eex", eexFile(appearances + sampleBody())));
    prompts.messageAnswers.push_back(platform::MsgResult::Yes);  // reload without saving
    docs->reload();
    probe.told.clear();
    ASSERT_TRUE(tree().isValid(made));
    ASSERT_EQ(core::nodeNumber(tree(), made), kAppear);  // now one read from the file
    int opened = 0;
    for (int i = 1; i <= tree().count(); ++i) {
        const NodeId n = tree().byIndex(i);
        if (core::nodeNumber(tree(), n) == kAppear) {
            select(n);
            edit->editSelected();
            ++opened;
        }
    }
    EXPECT_EQ(opened, 12);
    EXPECT_EQ(probe.told, std::vector<bool>(std::size_t(opened), false));
}

} // namespace
