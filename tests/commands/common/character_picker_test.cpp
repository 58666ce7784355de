// The character picker: how stored person values load and save, and how the
// number and name boxes and the list keep one another in step.
#include "commands/common/character_picker.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/number_field.h"
#include "commands/common/person_list_model.h"
#include "engine_test_support.h"
#include "core/key_codec.h"
#include "support/param_names.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace commands;
using enginetest::CommandNode;

namespace {

constexpr int kNoneRow = person::kNoneRow;

core::NameTables testNames()
{
    core::NameTables t;
    t.charNames = QStringList(5124);
    for (int i = 0; i < 1024; ++i)
        t.charNames[i] = QStringLiteral("장수%1").arg(i);
    t.charNames[5] = QStringLiteral("Alder");
    t.charNames[9] = QStringLiteral("Alder");  // a second of the same name
    t.charNames[12] = QStringLiteral("bram");
    const char16_t *groups[] = {u"모든 인물", u"아군or우군", u"적군", u"아군직면인물"};
    for (int g = 0; g < 4; ++g)
        t.charNames[1024 + g] = QString::fromUtf16(groups[g]);
    for (int k = 0; k < 4096; ++k)
        t.charNames[1028 + k] = u'*' + QString::number(k);
    return t;
}

// A 0x39 command holding the person, opened on the engine.
struct PickerDialog
{
    core::NameTables names = testNames();
    CommandNode cmd;
    std::unique_ptr<EngineDialog> dialog;
    CharacterPicker *picker = nullptr;

    explicit PickerDialog(int person)
        : cmd(QStringLiteral("39000200") + core::longToHex(person, 2) + QStringLiteral("040000000000"))
    {
        cmd.ctx.captions.names = &names;
        dialog.reset(static_cast<EngineDialog *>(
            workspace::DialogRegistry::instance().createDialog(0x39, cmd.ctx).release()));
        picker = dialog->picker();
    }
    QComboBox *list() const { return picker->list(0); }
    QLineEdit *num() const { return picker->numberBox(0); }
    QLineEdit *name() const { return picker->nameBox(0); }
};

struct LoadCase
{
    int stored;
    int row;
    const char *num;
    const char16_t *name;
    const char *written;  // chars 9-12 after OK
};

class PickerLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(PickerLoad, ShowsTheStoredPersonAndWritesWhatItShows)
{
    const LoadCase c = GetParam();
    PickerDialog p(c.stored);
    EXPECT_EQ(p.list()->currentIndex(), c.row);
    EXPECT_EQ(p.num()->text(), QString::fromLatin1(c.num));
    EXPECT_EQ(p.name()->text(), QString::fromUtf16(c.name));
    EXPECT_EQ(p.list()->count(), 5125);

    const QString before = p.cmd.key();
    p.dialog.reset();
    const bool changed = p.cmd.edit([](QDialog &d) { enginetest::click(d, "cConfig"); });
    EXPECT_EQ(p.cmd.key().mid(8, 4), QString::fromLatin1(c.written));
    EXPECT_EQ(changed, p.cmd.key() != before);
    EXPECT_EQ(p.cmd.records, changed ? 1 : 0);
}

void PrintTo(const LoadCase &c, std::ostream *os) { *os << "stored " << c.stored; }

INSTANTIATE_TEST_SUITE_P(
    StoredValues, PickerLoad,
    ::testing::Values(LoadCase{0xFFFF, kNoneRow, "65535", u"無", "FFFF"},
                      LoadCase{0xFFFE, 1028, "65534", u"*0", "FEFF"},
                      LoadCase{0xEFFF, 5123, "61439", u"*4095", "FFEF"},
                      LoadCase{0xFFFE - 14, 1042, "65520", u"*14", "F0FF"},
                      LoadCase{1027, 1027, "1027", u"아군직면인물", "0304"},
                      LoadCase{5, 5, "5", u"Alder", "0500"},
                      LoadCase{0, 0, "0", u"장수0", "0000"},
                      // Values that name nobody show their number, and the
                      // name the tree's caption gives them, with no row
                      // chosen, and are written back as they are.
                      LoadCase{1028, -1, "1028", u"[Var64506]", "0404"},
                      LoadCase{0xEFFE, -1, "61438", u"[Var4096]", "FEEF"}),
    [](const ::testing::TestParamInfo<LoadCase> &info) {
        return testsupport::caseName("Stored" + std::to_string(info.param.stored));
    });

TEST(CharacterPicker, AStoredValueThatNamesNobodyStaysUntilAPersonIsChosen)
{
    PickerDialog p(1028);
    p.dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p.dialog.get()));
    EXPECT_EQ(p.list()->placeholderText(), QStringLiteral("[Var64506]"));
    // Passing through the name box and leaving it changes nothing.
    p.picker->setMode(core::CharSelectMode::Name);
    p.name()->setFocus();
    p.dialog->configButton()->setFocus();
    EXPECT_EQ(p.name()->text(), QStringLiteral("[Var64506]"));
    EXPECT_EQ(p.picker->value(0), 1028);
    // A person chosen from the list replaces it.
    p.list()->setCurrentIndex(5);
    EXPECT_EQ(p.num()->text(), QStringLiteral("5"));
    EXPECT_EQ(p.picker->value(0), 5);
    // An emptied number box shows person 0 at once.
    p.num()->clear();
    EXPECT_EQ(p.num()->text(), QStringLiteral("0"));
    EXPECT_EQ(p.list()->currentIndex(), 0);
    EXPECT_EQ(p.picker->value(0), 0);
}

TEST(CharacterPicker, TypedAndPastedNumbersSelectTheirPerson)
{
    PickerDialog p(0xFFFF);
    p.picker->setMode(core::CharSelectMode::Number);
    struct Paste
    {
        const char *text;
        int row;
        const char *num;
        const char16_t *name;
    } pastes[] = {
        {"61439", 5123, "61439", u"*4095"}, {"65534", 1028, "65534", u"*0"},
        {"61438", kNoneRow, "65535", u"無"}, {"1028", kNoneRow, "65535", u"無"},
        {"1027", 1027, "1027", u"아군직면인물"}, {"70000", kNoneRow, "65535", u"無"},
        {"007", 7, "7", u"장수7"},  // leading zeros go
    };
    for (const Paste &c : pastes) {
        SCOPED_TRACE(c.text);
        QApplication::clipboard()->setText(QString::fromLatin1(c.text));
        p.num()->selectAll();
        p.num()->paste();
        EXPECT_EQ(p.list()->currentIndex(), c.row);
        EXPECT_EQ(p.num()->text(), QString::fromLatin1(c.num));
        EXPECT_EQ(p.name()->text(), QString::fromUtf16(c.name));
    }
    // Text that is not all digits is not pasted at all.
    QApplication::clipboard()->setText(QStringLiteral("12a"));
    p.num()->selectAll();
    p.num()->paste();
    EXPECT_EQ(p.num()->text(), QStringLiteral("7"));

    // Digit by digit every prefix is a value of its own.
    p.num()->clear();
    const int rows[] = {6, 61, 614, kNoneRow};
    const char *nums[] = {"6", "61", "614", "65535"};
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(p.num(), "6143"[i]);
        EXPECT_EQ(p.list()->currentIndex(), rows[i]) << i;
        EXPECT_EQ(p.num()->text(), QString::fromLatin1(nums[i])) << i;
    }
}

TEST(CharacterPicker, TypedNamesSelectTheFirstEqualEntry)
{
    PickerDialog p(0xFFFF);
    p.dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p.dialog.get()));
    p.picker->setMode(core::CharSelectMode::Name);

    QTest::keyClicks(p.name(), QStringLiteral("*7"));
    EXPECT_EQ(p.list()->currentIndex(), 1028 + 7);
    EXPECT_EQ(p.num()->text(), QStringLiteral("65527"));

    p.name()->clear();
    QTest::keyClicks(p.name(), QStringLiteral("Alder"));
    EXPECT_EQ(p.list()->currentIndex(), 5);  // not 9, the second "Alder"
    EXPECT_EQ(p.num()->text(), QStringLiteral("5"));

    // A name that differs only in case keeps the selection while typed and
    // turns into "無" when the box is left.
    p.name()->setFocus();
    p.name()->clear();
    QTest::keyClicks(p.name(), QStringLiteral("Bram"));
    EXPECT_EQ(p.list()->currentIndex(), 5);
    p.dialog->configButton()->setFocus();
    EXPECT_EQ(p.name()->text(), QStringLiteral("無"));
    EXPECT_EQ(p.num()->text(), QStringLiteral("65535"));
    EXPECT_EQ(p.list()->currentIndex(), kNoneRow);

    // An emptied name box becomes "無" and leaves the person as it was.
    p.list()->setCurrentIndex(12);
    EXPECT_EQ(p.name()->text(), QStringLiteral("bram"));
    p.name()->setFocus();
    p.name()->clear();
    p.dialog->configButton()->setFocus();
    EXPECT_EQ(p.name()->text(), QStringLiteral("無"));
    EXPECT_EQ(p.num()->text(), QStringLiteral("12"));
    EXPECT_EQ(p.list()->currentIndex(), 12);
}

TEST(CharacterPicker, ChoosingFromTheListFillsBothBoxes)
{
    PickerDialog p(0);
    p.list()->setCurrentIndex(kNoneRow);
    EXPECT_EQ(p.num()->text(), QStringLiteral("65535"));
    EXPECT_EQ(p.name()->text(), QStringLiteral("無"));
    p.list()->setCurrentIndex(1028 + 4095);
    EXPECT_EQ(p.num()->text(), QStringLiteral("61439"));
    EXPECT_EQ(p.name()->text(), QStringLiteral("*4095"));
    p.list()->setCurrentIndex(1024);
    EXPECT_EQ(p.num()->text(), QStringLiteral("1024"));
    EXPECT_EQ(p.name()->text(), QStringLiteral("모든 인물"));
}

TEST(CharacterPicker, StartModeIsAppliedAtEveryActivation)
{
    struct Row
    {
        const char *setting;
        core::CharSelectMode mode;
    } rows[] = {{"1", core::CharSelectMode::Number}, {"2", core::CharSelectMode::Name},
                {"0", core::CharSelectMode::List}, {"", core::CharSelectMode::List},
                {"abc", core::CharSelectMode::List}, {"7", core::CharSelectMode::Name}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.setting);
        PickerDialog p(0xFFFF);
        p.cmd.settings[QStringLiteral("Option/Char_Select")] = QString::fromLatin1(r.setting);
        // Until the dialog is activated it is in list mode.
        EXPECT_TRUE(p.picker->option(core::CharSelectMode::List)->isChecked());
        p.dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(p.dialog.get()));
        EXPECT_EQ(p.picker->mode(), r.mode);
        EXPECT_TRUE(p.picker->option(r.mode)->isChecked());
        EXPECT_EQ(p.list()->isVisible(), r.mode == core::CharSelectMode::List);
        EXPECT_EQ(p.num()->isVisible(), r.mode == core::CharSelectMode::Number);
        EXPECT_EQ(p.name()->isVisible(), r.mode == core::CharSelectMode::Name);

        // A mode chosen by hand lasts only until the next activation.
        p.picker->option(core::CharSelectMode::List)->click();
        EXPECT_TRUE(p.list()->isVisible());
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(p.dialog.get(), &activate);
        EXPECT_EQ(p.picker->mode(), r.mode);
    }
}

TEST(CharacterPicker, ModeSwitchFocusesTheShownBox)
{
    PickerDialog p(3);
    p.dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p.dialog.get()));
    p.picker->option(core::CharSelectMode::Number)->click();
    EXPECT_TRUE(p.num()->hasFocus());
    p.picker->option(core::CharSelectMode::Name)->click();
    EXPECT_TRUE(p.name()->hasFocus());
    p.picker->option(core::CharSelectMode::List)->click();
    EXPECT_TRUE(p.list()->hasFocus());
    // The selection stays through the switches.
    EXPECT_EQ(p.num()->text(), QStringLiteral("3"));
}

TEST(CharacterPicker, PairFormSwitchesBothElements)
{
    core::NameTables names = testNames();
    QWidget owner;
    PickerOptions options;
    options.pair = true;
    options.switchMovesFocus = false;
    options.focusSelectsMode = true;
    CharacterPicker picker(&owner, &names, options);
    ASSERT_EQ(picker.elementCount(), 2);
    EXPECT_EQ(picker.list(1)->objectName(), QStringLiteral("cbChar1"));
    EXPECT_EQ(picker.numberBox(0)->objectName(), QStringLiteral("tNum0"));
    owner.show();
    picker.setStoredValue(0, 5);
    picker.setStoredValue(1, 0xFFFE);
    picker.setMode(core::CharSelectMode::Number);
    EXPECT_TRUE(picker.numberBox(0)->isVisible());
    EXPECT_TRUE(picker.numberBox(1)->isVisible());
    EXPECT_FALSE(picker.list(1)->isVisible());
    EXPECT_EQ(picker.value(0), 5);
    EXPECT_EQ(picker.value(1), 0xFFFE);
    // Each element answers for itself.
    picker.list(1)->setCurrentIndex(12);
    EXPECT_EQ(picker.nameBox(1)->text(), QStringLiteral("bram"));
    EXPECT_EQ(picker.nameBox(0)->text(), QStringLiteral("Alder"));
    // The same shared list model behind both.
    EXPECT_EQ(picker.list(0)->model(), picker.list(1)->model());
}

TEST(PersonListModel, MirrorsTheNameTableAndFallsBackWithoutOne)
{
    PersonListModel &bare = PersonListModel::shared(nullptr);
    EXPECT_EQ(bare.rowCount(), 5125);
    EXPECT_EQ(bare.text(1024), QStringLiteral("모든 인물"));
    EXPECT_EQ(bare.text(1028 + 17), QStringLiteral("*17"));
    EXPECT_EQ(bare.text(5124), QStringLiteral("無"));
    EXPECT_EQ(bare.rowOfName(QStringLiteral("*17")), 1045);
    EXPECT_FALSE(bare.rowOfName(QString()).has_value());  // unnamed persons match nothing

    const core::NameTables names = testNames();
    PersonListModel &named = PersonListModel::shared(&names);
    EXPECT_EQ(&named, &bare);
    EXPECT_EQ(named.text(12), QStringLiteral("bram"));
    EXPECT_EQ(named.rowOfName(QStringLiteral("Alder")), 5);
    EXPECT_FALSE(named.rowOfName(QStringLiteral("Bram")).has_value());
}

} // namespace
