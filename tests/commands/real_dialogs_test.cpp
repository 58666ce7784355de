// Every command code with an edit dialog opens its own, and a new or stored
// command of the template comes back from it as it went in, but for the
// rule of new commands; the dialog of command 0x28; the variable
// list's check for variables.
#include "commands/presentation/free_action_dialog.h"

#include "core/catalogue.h"
#include "core/key_codec.h"
#include "fixtures/nested_length_check.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"
#include "workspace/new_commands.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace core;
using namespace workspace;

namespace {

struct Document
{
    DocTree tree;
    EditContext ctx{tree};
    fixtures::SectionNodes sec;
    KeySerial serial = 1;
    NewCommands added;  // what an add dialog made in this session
    int marks = 0, records = 0;

    Document()
    {
        sec = fixtures::addSection(tree, fixtures::addScenarioRoot(tree), 0);
        ctx.newCommands = &added;
        ctx.markModified = [this] { ++marks; };
        ctx.recordEdit = [this](NodeId, const QString &, const QString &, const QString &, const QString &) {
            ++records;
        };
    }
    NodeId add(int code, NodeId rel = kNoNode, Relation where = Relation::Before)
    {
        const QString key = serialKey(defaultRecord(code), u"", serial++);
        return tree.add(rel ? rel : sec.bodyEnd, where, key, commandCaption(key, CaptionSite::Creation, false, {}));
    }
};

TEST(RealDialogs, ANewCommandComesBackUnchangedFromOkAndCancel)
{
    // OK on a command just added writes a new 0x4D's status word as "no
    // change" (0000) in place of the catalogue's FFFF, and a new 0x60's
    // action 0000 in place of FFFF. The same key stored (read from a file)
    // is no new command: it comes back unchanged from both buttons.
    const auto rewritesDefault = [](int code, const char *button, bool added) {
        return added && (code == 0x4D || code == 0x60) && QLatin1String(button) == QLatin1String("cConfig");
    };
    int opened = 0;
    for (const bool added : {true, false}) {
        for (const char *button : {"cConfig", "cCancel"}) {
            Document doc;
            int rewrites = 0;
            for (int code = 0; code < kCommandCount; ++code) {
                SCOPED_TRACE(code);
                EXPECT_EQ(DialogRegistry::instance().hasDialog(code), core::hasEditDialog(code));
                const NodeId n = doc.add(code);
                if (added)
                    doc.added.add(doc.tree, n);
                const QString key = doc.tree.key(n);
                const QString text = doc.tree.text(n);
                doc.tree.setSelected(n);
                bool shown = false;
                ScopedDialogRunner runner([&](QDialog &d, EditContext &) {
                    shown = true;
                    ++opened;
                    EXPECT_EQ(d.objectName(), editFormName(code));
                    d.show();  // as the program shows it: its picture of the key is taken then
                    if (code == 0x28)
                        return;  // has no working buttons; the close box ends it
                    d.findChild<QPushButton *>(QLatin1String(button))->click();
                });
                editNodeInDialog(doc.ctx);
                EXPECT_EQ(shown, core::hasEditDialog(code));
                if (rewritesDefault(code, button, added)) {
                    ++rewrites;
                    EXPECT_NE(doc.tree.key(n), key);
                    continue;
                }
                EXPECT_EQ(doc.tree.key(n), key);
                EXPECT_EQ(doc.tree.text(n), text);
            }
            EXPECT_EQ(doc.records, rewrites);
            EXPECT_EQ(doc.marks, rewrites);
        }
    }
    EXPECT_EQ(opened, 4 * 97);
}

TEST(FreeAction28, HasNoBehaviourAndOnlyTheCloseBoxClosesIt)
{
    Document doc;
    const NodeId n = doc.add(0x28);
    QString key = doc.tree.key(n);
    keyWriteField(key, 9, 2, 17);  // a stored number the box does not show
    ASSERT_TRUE(doc.tree.setKey(n, key));
    doc.tree.setSelected(n);
    EXPECT_EQ(DialogRegistry::instance().dialogKind(0x28), DialogKind::Real);

    bool checked = false;
    ScopedDialogRunner runner([&](QDialog &d, EditContext &) {
        auto *dialog = qobject_cast<commands::FreeActionDialog *>(&d);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Form1"));
        EXPECT_EQ(d.findChild<QLabel *>("Label1")->text(), QStringLiteral("Case"));
        auto *num = d.findChild<QLineEdit *>("tNum");
        EXPECT_TRUE(num->text().isEmpty());
        d.show();
        QTest::keyClicks(num, QStringLiteral("5"));
        d.findChild<QPushButton *>("cConfig")->click();
        EXPECT_TRUE(d.isVisible());
        d.findChild<QPushButton *>("cCancel")->click();
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(num, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        d.close();
        EXPECT_FALSE(d.isVisible());
        checked = true;
    });
    EXPECT_FALSE(editNodeInDialog(doc.ctx));
    EXPECT_TRUE(checked);
    EXPECT_EQ(doc.tree.key(n), key);
    EXPECT_EQ(doc.records, 0);
    EXPECT_EQ(doc.marks, 0);
}

TEST(VariableList, NoVariableCommandGivesNotFoundAndAnEmptyList)
{
    Document doc;
    doc.add(0x14);
    platform::ScriptedPrompts prompts;
    std::vector<QString> shown;
    ScopedDialogRunner runner([&](QDialog &d, EditContext &) { shown.push_back(d.objectName()); });
    showVariableListDialog(doc.ctx);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("변량을 찾을 수 없습니다."));
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("Not Found!"));
    EXPECT_EQ(shown, std::vector<QString>{kVariableListTool});

    doc.add(0x05);
    showVariableListDialog(doc.ctx);
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(shown, (std::vector<QString>{kVariableListTool, kVariableListTool}));
}

} // namespace

namespace {

TEST(RealDialogs, EveryCodeWithAnEditDialogHasItsOwn)
{
    for (int code = 0; code < kCommandCount; ++code) {
        if (core::hasEditDialog(code)) {
            EXPECT_EQ(DialogRegistry::instance().dialogKind(code), DialogKind::Real) << std::hex << code;
        }
    }
}

} // namespace
