// The dialogs with a rule for new commands, in the main window: a duel
// appearance (0x60) added in this session opens on the stand "無" and its
// first OK stores 0000 for the template's FFFF; a unit status change (0x4D)
// stores its status 0000. The same bytes read from a file are a stored
// command: they open as stored, and an untouched OK changes nothing.
#include "workspace/edit_window_fixture.h"

#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/tree_queries.h"
#include "workspace/add_dialogs/add_dialogs.h"
#include "workspace/dialog_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <functional>

using namespace edit_window;
using core::NodeId;

namespace {

using NewCommandDialogs = EditWindow;

struct RuleCase
{
    int code;
    const char *templateItem;  // the item the rule rewrites, as the template holds it
    const char *newItem;       // as the first OK of a new command writes it
};

// The template's items with `from` replaced by `to`.
QString templateWith(int code, const char *from, const char *to)
{
    QString record = core::defaultRecord(code);
    const qsizetype at = record.lastIndexOf(QLatin1String(from));
    EXPECT_GE(at, 0) << from;
    return record.replace(at, qsizetype(qstrlen(from)), QLatin1String(to));
}

const RuleCase kRules[] = {
    {0x60, "4C00FFFF", "4C000000"},  // the action: the stand "無"
    {0x4D, "3000FFFF", "30000000"},  // the status: "no change"
};

// Opens the selected node's dialog, lets `act` work it, then presses OK.
void editWithOk(workspace::EditCommands &edit, const std::function<void(QDialog &)> &act = {})
{
    workspace::ScopedDialogRunner runner([&](QDialog &d, workspace::EditContext &) {
        d.show();
        if (act)
            act(d);
        if (d.isVisible())
            d.findChild<QPushButton *>(QStringLiteral("cConfig"))->click();
        if (d.isVisible())
            d.reject();
    });
    edit.editSelected();
}

TEST_F(NewCommandDialogs, ACommandAddedInThisSessionStillGetsTheRuleOfNewCommands)
{
    for (const RuleCase &c : kRules) {
        for (const bool quick : {false, true}) {
            SCOPED_TRACE(QString::number(c.code, 16).toStdString() + (quick ? " quick add" : " add dialog"));
            workspace::add_dialogs::ScriptedAddDialogs dialogs;
            select(byRecord(C));
            if (quick) {
                core::writeINI("Fast_Add", "2", QString::number(c.code));
                core::writeINI("Fast_Add", "2Child", "False");
                key(Qt::Key_O);
            } else {
                dialogs.answers = {c.code};
                act("mnuaddnodes")->trigger();
            }
            const NodeId made = tree().previous(byRecord(C));
            ASSERT_EQ(core::nodeNumber(tree(), made), c.code);
            ASSERT_EQ(core::recordPart(tree().key(made)), core::defaultRecord(c.code));
            const int steps = undoSteps();

            select(made);
            int shownAction = -1;
            editWithOk(*edit, [&](QDialog &d) {
                if (auto *action = d.findChild<QComboBox *>(QStringLiteral("cbVSActive")))
                    shownAction = action->currentIndex();
            });
            if (c.code == 0x60)
                EXPECT_EQ(shownAction, 0);  // "無", the first item
            EXPECT_EQ(core::recordPart(tree().key(made)), templateWith(c.code, c.templateItem, c.newItem));
            EXPECT_EQ(undoSteps(), steps + 1);

            // Undone, it holds the template again, now as a stored command.
            edit->undo();
            ASSERT_EQ(core::recordPart(tree().key(made)), core::defaultRecord(c.code));
            editWithOk(*edit);
            EXPECT_EQ(core::recordPart(tree().key(made)), core::defaultRecord(c.code));
            EXPECT_EQ(undoSteps(), steps);
        }
    }
}

TEST_F(NewCommandDialogs, AStoredCommandEqualToTheTemplateIsNotTakenForANewOne)
{
    // The 0x60 of the issue, with a text, and a 0x4D, both as a file holds
    // them: an untouched OK writes nothing, and a change of the flag alone
    // writes the flag alone.
    const QByteArray appear = fixtures::hexBytes("60 00 26 00 00 00 05 00 B0 A1 41 00 4C 00 FF FF");
    const QByteArray status = core::recordBytes(core::defaultRecord(0x4D)).value();
    const QByteArray file = eexFile(appear + status + sampleBody());
    ASSERT_TRUE(openBytes("b.eex", file));
    ASSERT_EQ(bytes(), file);

    for (const QByteArray &record : {appear, status}) {
        SCOPED_TRACE(fixtures::toHex(record).toStdString());
        const NodeId n = byRecord(record);
        ASSERT_NE(n, core::kNoNode);
        select(n);
        int shownAction = -1;
        editWithOk(*edit, [&](QDialog &d) {
            if (auto *action = d.findChild<QComboBox *>(QStringLiteral("cbVSActive")))
                shownAction = action->currentIndex();
        });
        if (record == appear)
            EXPECT_NE(shownAction, 0);  // the stored FFFF, not the stand of a new command
        EXPECT_EQ(bytes(), file);
        EXPECT_EQ(undoSteps(), 0);
        EXPECT_FALSE(doc()->modified());
    }

    const NodeId n = byRecord(appear);
    select(n);
    editWithOk(*edit, [](QDialog &d) { d.findChild<QCheckBox *>(QStringLiteral("ckChar"))->click(); });
    EXPECT_EQ(core::recordPart(tree().key(n)), QStringLiteral("600026000100" "0500B0A14100" "4C00FFFF"));
}

} // namespace
