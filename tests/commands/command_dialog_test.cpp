// The command dialog frame: title and buttons, OK and Cancel through the
// dispatch, the caption rebuild, and a length-changing text edit inside two
// nested child events as it reaches the saved bytes.
#include "commands/common/command_dialog.h"

#include "core/catalogue.h"
#include "core/eex_writer.h"
#include "core/key_codec.h"
#include "fixtures/nested_length_check.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace core;
using namespace workspace;
using commands::CommandDialog;

namespace {

// A dialog of the dialogue command 0x14 whose box shows the stored text
// (the value at character 9) and, by OK, holds a fixed text as if typed.
class TextDialog : public CommandDialog
{
public:
    TextDialog(EditContext &ctx, QString text) : CommandDialog(ctx, 0x14), m_text(std::move(text))
    {
        loaded = this->text(9);
    }
    QString loaded;

protected:
    bool saveFields(QString &key, int &delta) override
    {
        delta = setText(key, 9, takingPicture() ? loaded : m_text);
        return true;
    }

private:
    QString m_text;
};

struct Recorded
{
    int marks = 0;
    int records = 0;
    QString oldKey, newKey, newCaption;
};

void bind(EditContext &ctx, Recorded &r)
{
    ctx.markModified = [&r] { ++r.marks; };
    ctx.recordEdit = [&r](NodeId, const QString &ok, const QString &, const QString &nk, const QString &nc) {
        ++r.records;
        r.oldKey = ok;
        r.newKey = nk;
        r.newCaption = nc;
    };
}

QString caption(const QString &key, bool child = false)
{
    return commandCaption(key, CaptionSite::Creation, child, {});
}

// One Section whose body holds a child event of 0x6E holding another whose
// nested list holds a dialogue "ABC" (the layout of the file, by hand).
struct TwoDeep : ::testing::Test
{
    DocTree tree;
    EditContext ctx{tree};
    Recorded rec;
    NodeId outer = kNoNode, inner = kNoNode, talk = kNoNode;

    void SetUp() override
    {
        const NodeId scene = fixtures::addScenarioRoot(tree);
        const fixtures::SectionNodes sec = fixtures::addSection(tree, scene, 0);
        auto add = [&](NodeId rel, Relation where, const QString &key, bool child = false) {
            return tree.add(rel, where, key, caption(key, child));
        };
        add(sec.bodyEnd, Relation::Before, QStringLiteral("0100_1"));
        outer = add(sec.bodyEnd, Relation::Before, QStringLiteral("6E00040000000000" "1800_2"), true);
        add(outer, Relation::LastChild, QStringLiteral("0100_3"));
        inner = add(outer, Relation::LastChild, QStringLiteral("6E00040000000000" "0A00_4"), true);
        talk = add(inner, Relation::LastChild, QStringLiteral("1400050041424300_5"));
        add(inner, Relation::LastChild, QStringLiteral("0000_6"));
        add(outer, Relation::LastChild, QStringLiteral("0000_7"));
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree));
        tree.setSelected(talk);
        bind(ctx, rec);
    }

    // The nested-length words in the saved bytes, outer first.
    std::vector<int> savedWords()
    {
        const EexSerializeResult s = eexSerialize(tree);
        EXPECT_TRUE(s.ok) << s.message.toStdString();
        std::vector<int> words;
        const QByteArray head = QByteArray::fromHex("6E0004000000000000");
        const QByteArray block = head.left(8);
        for (qsizetype at = s.bytes.indexOf(block); at >= 0; at = s.bytes.indexOf(block, at + 1))
            words.push_back(quint8(s.bytes[at + 8]) + 256 * quint8(s.bytes[at + 9]));
        return words;
    }
};

// Clicks a button of the dialog the dispatch shows.
ScopedDialogRunner clicking(const char *button)
{
    return ScopedDialogRunner([button](QDialog &d, EditContext &) {
        d.findChild<QPushButton *>(QLatin1String(button))->click();
    });
}

TEST_F(TwoDeep, LongerTextGrowsBothNestedLengthsInTheSavedBytes)
{
    const std::vector<int> before = savedWords();
    ASSERT_EQ(before.size(), 2u);
    const qsizetype sizeBefore = eexSerialize(tree).bytes.size();

    QString loaded;
    ScopedDialogOverride dialog(0x14, [&](EditContext &c) {
        auto d = std::make_unique<TextDialog>(c, QStringLiteral("ABC\r\n가나"));
        loaded = d->loaded;
        return d;
    });
    auto runner = clicking("cConfig");
    EXPECT_TRUE(editNodeInDialog(ctx));
    EXPECT_EQ(loaded, QStringLiteral("ABC"));

    // "ABC" LF and two Hangul syllables: 3 + 1 + 4 bytes for 3.
    const int delta = 5;
    const std::vector<int> after = savedWords();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], before[0] + delta);
    EXPECT_EQ(after[1], before[1] + delta);
    EXPECT_EQ(eexSerialize(tree).bytes.size(), sizeBefore + delta);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree));
    EXPECT_EQ(keyTextString(tree.key(talk), 9), QStringLiteral("ABC\n가나"));
    EXPECT_EQ(tree.text(talk), caption(tree.key(talk)));
    EXPECT_EQ(rec.records, 1);
    EXPECT_EQ(rec.marks, 1);
    EXPECT_EQ(rec.newKey, tree.key(talk));
}

TEST_F(TwoDeep, CancelAndAnUnchangedTextLeaveNoTrace)
{
    const QString key = tree.key(talk);
    ScopedDialogOverride dialog(0x14, [](EditContext &c) { return std::make_unique<TextDialog>(c, "XYZW"); });
    {
        auto runner = clicking("cCancel");
        EXPECT_FALSE(editNodeInDialog(ctx));
    }
    EXPECT_EQ(tree.key(talk), key);
    {
        ScopedDialogOverride same(0x14, [](EditContext &c) { return std::make_unique<TextDialog>(c, "ABC"); });
        auto runner = clicking("cConfig");
        EXPECT_FALSE(editNodeInDialog(ctx));
    }
    EXPECT_EQ(tree.key(talk), key);
    EXPECT_EQ(rec.records, 0);
    EXPECT_EQ(rec.marks, 0);
}

TEST_F(TwoDeep, ALengthTheOuterListCannotTakeKeepsTheDialogOpen)
{
    // An outer word at the top of its range: four more bytes cannot fit.
    ASSERT_TRUE(tree.setKey(outer, QStringLiteral("6E00040000000000" "FEFF_2")));
    const QString key = tree.key(talk);
    platform::ScriptedPrompts prompts;
    bool stillOpen = false;
    ScopedDialogOverride dialog(0x14, [](EditContext &c) { return std::make_unique<TextDialog>(c, "ABCDEFG"); });
    ScopedDialogRunner runner([&](QDialog &d, EditContext &) {
        d.show();
        d.findChild<QPushButton *>("cConfig")->click();
        stillOpen = d.isVisible() && d.result() == QDialog::Rejected;
        d.reject();
    });
    EXPECT_FALSE(editNodeInDialog(ctx));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(tree.key(talk), key);
    EXPECT_EQ(tree.key(outer), QStringLiteral("6E00040000000000" "FEFF_2"));
    EXPECT_EQ(rec.records, 0);
}

TEST(CommandDialogFrame, TitleButtonsAndKeys)
{
    DocTree tree;
    const NodeId scene = fixtures::addScenarioRoot(tree);
    const fixtures::SectionNodes sec = fixtures::addSection(tree, scene, 0);
    const QString key = defaultRecord(0x4B) + QStringLiteral("_9");
    const NodeId n = tree.add(sec.bodyEnd, Relation::Before, key, caption(key));
    EditContext ctx(tree);
    ctx.node = n;

    CommandDialog d(ctx, 0x4B);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 4B : 아군출현설정"));
    EXPECT_TRUE(d.isModal());
    auto *ok = d.findChild<QPushButton *>("cConfig");
    auto *cancel = d.findChild<QPushButton *>("cCancel");
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), QStringLiteral("확인"));
    EXPECT_EQ(cancel->text(), QStringLiteral("취소"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(d.field(45, 2), 0xFFFF);

    // Esc closes without touching the node.
    d.show();
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(tree.key(n), key);

    // OK hands the new key back; the dialog writes nothing itself.
    QString changed = key;
    CommandDialog::setField(changed, 21, 4, 12);
    CommandDialog::setFieldFromBox(changed, 33, QStringLiteral("7"), true);
    EXPECT_TRUE(d.handBack(changed));
    EXPECT_EQ(tree.key(n), key);
    ASSERT_TRUE(ctx.change.has_value());
    EXPECT_EQ(ctx.change->key, changed);
    EXPECT_EQ(ctx.change->lengthDelta, 0);

    // The dispatch's road stores the key and rebuilds the caption from it.
    EXPECT_TRUE(workspace::applyKeyChange(tree, n, *ctx.change, {}, {}));
    EXPECT_EQ(tree.key(n), changed);
    EXPECT_EQ(tree.text(n), caption(changed));
    EXPECT_NE(tree.text(n), caption(key));
    // keepCaption: the army dialogs store the key only.
    QString again = changed;
    CommandDialog::setField(again, 21, 4, 13);
    EXPECT_TRUE(workspace::applyKeyChange(tree, n, {again, 0, true}, {}, {}));
    EXPECT_EQ(tree.key(n), again);
    EXPECT_EQ(tree.text(n), caption(changed));
    // The same key again is no change.
    EXPECT_FALSE(workspace::applyKeyChange(tree, n, {again, 0, false}, {}, {}));
}

} // namespace
