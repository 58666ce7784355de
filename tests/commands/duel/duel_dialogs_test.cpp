// The duel command dialogs through the dispatch: what each loads from its
// key, what OK writes and the caption it makes, the length change of the two
// text dialogs, and the two fighters and the logo of the duel start.
#include "commands/common/character_picker.h"
#include "commands/common/engine_test_support.h"
#include "commands/duel/duel_start_dialog.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "fixtures/nested_length_check.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using enginetest::click;
using enginetest::CommandNode;

namespace {

QCheckBox *check(QDialog &d, const char *name) { return d.findChild<QCheckBox *>(QLatin1String(name)); }
QComboBox *combo(QDialog &d, const char *name) { return d.findChild<QComboBox *>(QLatin1String(name)); }
QPlainTextEdit *textBox(QDialog &d) { return d.findChild<QPlainTextEdit *>(QStringLiteral("tString")); }

// Moves the command into a Case block, whose nested-length word then
// follows its length.
void nestInBlock(CommandNode &cmd)
{
    const QString record = cmd.record();
    const core::NodeId before = cmd.tree.next(cmd.node);
    cmd.tree.remove(cmd.node);
    const int nested = record.size() / 2 + 2;
    const QString caseKey = QStringLiteral("1300040001000000") + core::longToHex(nested, 2) + QStringLiteral("_c1");
    const core::NodeId block = cmd.tree.add(before, core::Relation::Before, caseKey, CommandNode::caption(caseKey));
    cmd.node = cmd.tree.add(block, core::Relation::LastChild, record + QStringLiteral("_77"),
                            CommandNode::caption(record + QStringLiteral("_77")));
    cmd.tree.add(block, core::Relation::LastChild, QStringLiteral("0000_c2"), QStringLiteral("0 : "));
    cmd.tree.setSelected(cmd.node);
    cmd.ctx.node = cmd.node;
}

// The nested-length word of the list that holds the command.
int enclosingLength(const CommandNode &cmd)
{
    const QString key = cmd.tree.key(cmd.tree.parent(cmd.node));
    return core::keyField(key, key.indexOf(u'_') - 3, 2);
}

TEST(DuelDialogs, EveryDuelCommandOpensItsOwnWindow)
{
    const struct {
        int code;
        const char *form;
        const char16_t *title;
    } rows[] = {
        {0x60, "FrmVSAdvent60", u"수정 - 60 : 일기무장등장"}, {0x62, "FrmVsDeath62", u"수정 - 62 : 일기전사"},
        {0x63, "FrmVSSay63", u"수정 - 63 : 일기대사"},       {0x64, "FrmVSActive64", u"수정 - 64 : 일기동작"},
        {0x65, "FrmVSAttack65", u"수정 - 65 : 일기공격1"},   {0x66, "FrmVSAttack66", u"수정 - 66 : 일기공격2"},
        {0x68, "FrmVSStart68", u"수정 - 68 : 일기개시"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.form);
        EXPECT_EQ(workspace::DialogRegistry::instance().dialogKind(r.code), workspace::DialogKind::Real);
        CommandNode cmd(core::defaultRecord(r.code, QStringLiteral("말")));
        QString form, title;
        cmd.edit([&](QDialog &d) {
            form = d.objectName();
            title = d.windowTitle();
            click(d, "cCancel");
        });
        EXPECT_EQ(form, QString::fromLatin1(r.form));
        EXPECT_EQ(title, QString::fromUtf16(r.title));
    }
}

TEST(DuelDialogs, ActionDialogLoadsEditsAndCaptionsTheSide)
{
    CommandNode cmd(QStringLiteral("6400260001004C000D00"));
    bool checked = false;
    QString shown;
    EXPECT_TRUE(cmd.edit([&](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmVSActive64"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 64 : 일기동작"));
        checked = check(d, "ckChar")->isChecked();
        shown = combo(d, "cbVSActive")->currentText();
        EXPECT_EQ(combo(d, "cbVSActive")->count(), 16);
        check(d, "ckChar")->setChecked(false);
        combo(d, "cbVSActive")->setCurrentIndex(15);
        click(d, "cConfig");
    }));
    EXPECT_TRUE(checked);
    EXPECT_EQ(shown, QStringLiteral("퇴각"));
    EXPECT_EQ(cmd.record(), QStringLiteral("6400260000004C000F00"));
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("적군무장")));
    EXPECT_EQ(cmd.records, 1);
}

TEST(DuelDialogs, DeathDialogChecksTheEnemy)
{
    CommandNode cmd(QStringLiteral("620026000100"));
    bool checked = false;
    QString boxText;
    EXPECT_FALSE(cmd.edit([&](QDialog &d) {
        checked = check(d, "ckChar")->isChecked();
        boxText = check(d, "ckChar")->text();
        click(d, "cConfig");
    }));
    EXPECT_TRUE(checked);
    EXPECT_EQ(boxText, QStringLiteral("적군 무장"));
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("적군무장")));
}

// Values beyond the lists show as their number, flags above 1 open clear,
// and an untouched OK keeps every stored byte.
TEST(DuelDialogs, OutOfRangeValuesShowAsPlaceholdersAndAreKept)
{
    const struct {
        const char *record;
        const char *list;
        const char *shown;
    } cases[] = {
        {"650026000001" "4D000700" "26000200", "cbVSAttack", "회피 (7)"},
        {"66002600FFFF" "4E000300" "26000000", "cbVSAttack", "서로돌격 (3)"},
        {"640026000100" "4C001400", "cbVSActive", "無 (20)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.record);
        CommandNode cmd(QString::fromLatin1(c.record));
        QString shown;
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            shown = combo(d, c.list)->currentText();
            click(d, "cConfig");
        }));
        EXPECT_EQ(shown, QString::fromUtf8(c.shown));
        EXPECT_EQ(cmd.record(), QString::fromLatin1(c.record));
        EXPECT_EQ(cmd.records, 0);
    }
}

TEST(DuelDialogs, SecondAttackMissFlagShowsInTheCaption)
{
    CommandNode cmd(core::defaultRecord(0x66));
    cmd.edit([&](QDialog &d) {
        check(d, "ckHit")->setChecked(true);
        click(d, "cConfig");
    });
    EXPECT_EQ(core::keyField(cmd.key(), 25, 2), 1);
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("명중X")));
}

TEST(DuelDialogs, AnAppearanceJustAddedOpensOnTheStandAndStoresZero)
{
    CommandNode cmd(core::defaultRecord(0x60));
    cmd.markAdded();
    ASSERT_TRUE(cmd.record().endsWith(QStringLiteral("4C00FFFF")));
    QString shown;
    cmd.edit([&](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmVSAdvent60"));
        shown = combo(d, "cbVSActive")->currentText();
        click(d, "cConfig");
    });
    EXPECT_EQ(shown, QStringLiteral("無"));
    EXPECT_TRUE(cmd.record().endsWith(QStringLiteral("4C000000")));
}

TEST(DuelDialogs, FlagStoredAsHighByteOpensClearAndIsKeptUntilChanged)
{
    const QString stored = QStringLiteral("6300260000010500" "4100" "26000100");
    CommandNode cmd(stored);
    bool checked = true, delay = false;
    EXPECT_FALSE(cmd.edit([&](QDialog &d) {
        checked = check(d, "ckChar")->isChecked();
        delay = check(d, "ckDelay")->isChecked();
        click(d, "cConfig");
    }));
    EXPECT_FALSE(checked);
    EXPECT_TRUE(delay);
    EXPECT_EQ(cmd.record(), stored);
    // Ticked by the user, the flag is written whole.
    cmd.edit([&](QDialog &d) {
        check(d, "ckChar")->setChecked(true);
        click(d, "cConfig");
    });
    EXPECT_EQ(cmd.record(), QStringLiteral("6300260001000500" "4100" "26000100"));
}

TEST(DuelDialogs, SpeechTextLoadsAsLinesAndUntouchedOkKeepsTheLength)
{
    CommandNode cmd(QStringLiteral("6300260001000500" "B0A10A4100" "26000000"));
    nestInBlock(cmd);
    const int before = enclosingLength(cmd);
    QString shown;
    EXPECT_FALSE(cmd.edit([&](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmVSSay63"));
        shown = textBox(d)->toPlainText();
        click(d, "cConfig");
    }));
    EXPECT_EQ(shown, QStringLiteral("가\nA"));
    EXPECT_EQ(cmd.record(), QStringLiteral("6300260001000500" "B0A10A4100" "26000000"));
    EXPECT_EQ(enclosingLength(cmd), before);
}

TEST(DuelDialogs, TextChangesMoveTheLastFieldAndReachTheEnclosingList)
{
    const struct {
        const char *record;
        const char16_t *newText;
        const char *saved;
        int delta;
    } cases[] = {
        {"6300260001000500" "414200" "26000100", u"A\nB", "6300260001000500" "410A4200" "26000100", 1},
        {"6000260001000500" "B0A1414200" "4C000900", u"AB", "6000260001000500" "414200" "4C000900", -2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.record);
        CommandNode cmd(QString::fromLatin1(c.record));
        nestInBlock(cmd);
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
        const int before = enclosingLength(cmd);
        EXPECT_TRUE(cmd.edit([&](QDialog &d) {
            textBox(d)->setPlainText(QString::fromUtf16(c.newText));
            click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.record(), QString::fromLatin1(c.saved));
        EXPECT_EQ(enclosingLength(cmd), before + c.delta);
        EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
    }
}

TEST(DuelDialogs, CancelAndCloseLeaveTheTextDialogsAndTheStartAlone)
{
    for (int code : {0x60, 0x63, 0x68}) {
        for (bool useClose : {false, true}) {
            SCOPED_TRACE(code);
            CommandNode cmd(core::defaultRecord(code, QStringLiteral("말")));
            const QString key = cmd.key(), caption = cmd.text();
            EXPECT_FALSE(cmd.edit([&](QDialog &d) {
                if (QPlainTextEdit *box = textBox(d))
                    box->setPlainText(QStringLiteral("다른 말"));
                for (QComboBox *list : d.findChildren<QComboBox *>())
                    list->setCurrentIndex(list->count() - 1);
                for (QCheckBox *box : d.findChildren<QCheckBox *>())
                    box->toggle();
                if (useClose)
                    d.close();
                else
                    click(d, "cCancel");
            }));
            EXPECT_EQ(cmd.key(), key);
            EXPECT_EQ(cmd.text(), caption);
            EXPECT_EQ(cmd.records, 0);
        }
    }
}

TEST(DuelStartDialog, LogoListFollowsTheSettingAndStoresTheIndex)
{
    CommandNode cmd(QStringLiteral("68000200000002000100" "4F000000"));
    cmd.settings[QStringLiteral("Setting/LogoMap")] = QStringLiteral("100");
    QString first, last;
    int count = 0;
    EXPECT_TRUE(cmd.edit([&](QDialog &d) {
        QComboBox *logo = combo(d, "cVS");
        count = logo->count();
        first = logo->currentText();
        last = logo->itemText(logo->count() - 1);
        logo->setCurrentIndex(logo->count() - 1);
        click(d, "cConfig");
    }));
    EXPECT_EQ(count, 100);
    EXPECT_EQ(first, QStringLiteral("Logo-1"));
    EXPECT_EQ(last, QStringLiteral("Logo-100"));
    EXPECT_EQ(cmd.record().mid(24, 4), QStringLiteral("6300"));
}

TEST(DuelStartDialog, OddLogoSettingsAndStoredLogosStillOpen)
{
    for (const char *setting : {"", "abc", "0", "-3"}) {
        SCOPED_TRACE(setting);
        CommandNode cmd(QStringLiteral("68000200000002000100" "4F00F401"));
        cmd.settings[QStringLiteral("Setting/LogoMap")] = QString::fromLatin1(setting);
        QString shown;
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            shown = combo(d, "cVS")->currentText();
            click(d, "cConfig");
        }));
        // 500 is beyond the list: kept, and written back.
        EXPECT_EQ(shown, QStringLiteral("Logo-501"));
        EXPECT_EQ(cmd.record().mid(24, 4), QStringLiteral("F401"));
    }
}

TEST(DuelStartDialog, PersonsLoadAndTypedNumbersFollowThePickerRules)
{
    CommandNode cmd(QStringLiteral("6800" "0200FFFF" "02000300" "4F000000"));
    QString firstName;
    QString afterNone[2], afterVariable[2];
    EXPECT_TRUE(cmd.edit([&](QDialog &d) {
        auto &dialog = static_cast<commands::DuelStartDialog &>(d);
        commands::CharacterPicker *p = dialog.picker();
        firstName = p->list(0)->currentText();
        d.findChild<QRadioButton *>(QStringLiteral("oNum"))->click();
        QLineEdit *num0 = d.findChild<QLineEdit *>(QStringLiteral("tNum0"));
        QLineEdit *num1 = d.findChild<QLineEdit *>(QStringLiteral("tNum1"));
        ASSERT_TRUE(num0 && num1);
        num1->setText(QStringLiteral("1028"));
        num1->clearFocus();
        afterNone[0] = num1->text();
        afterNone[1] = p->nameBox(1)->text();
        num0->setText(QStringLiteral("65530"));
        afterVariable[0] = p->list(0)->currentText();
        afterVariable[1] = p->nameBox(0)->text();
        click(d, "cConfig");
    }));
    EXPECT_EQ(firstName, QStringLiteral("無"));
    EXPECT_EQ(afterNone[0], QStringLiteral("65535"));
    EXPECT_EQ(afterNone[1], QStringLiteral("無"));
    EXPECT_EQ(afterVariable[1], QStringLiteral("*4"));
    EXPECT_EQ(cmd.record(), QStringLiteral("6800" "0200FAFF" "0200FFFF" "4F000000"));
    EXPECT_TRUE(cmd.text().startsWith(core::menuName(0x68)));
}

} // namespace
