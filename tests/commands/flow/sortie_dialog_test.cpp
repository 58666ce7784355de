// The sortie dialog 0x06: its ten person slots shown one per group, the
// values its list, number and name boxes stand for, and what OK writes.
#include "commands/common/engine_test_support.h"
#include "commands/flow/sortie_dialog.h"
#include "core/key_codec.h"
#include "core/param_tags.h"
#include "fixtures/flow_fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <array>

using enginetest::CommandNode;
using namespace commands::flow;

namespace {

using Slots = std::array<int, 5>;

QString rec06(int flag, std::int64_t count, const Slots &forced, const Slots &barred)
{
    QString r = QStringLiteral("06002E00") + core::longToHex(flag, 2) + QStringLiteral("0400") +
                core::longToHex(count, 4);
    for (int v : forced)
        r += QStringLiteral("3800") + core::longToHex(v, 2);
    for (int v : barred)
        r += QStringLiteral("3900") + core::longToHex(v, 2);
    return r;
}

template <typename W>
W *child(QDialog &d, const QString &name)
{
    W *w = d.findChild<W *>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}
QComboBox *list(QDialog &d, char g) { return child<QComboBox>(d, QStringLiteral("cbList") + QLatin1Char(g)); }
QLineEdit *number(QDialog &d, char g) { return child<QLineEdit>(d, QStringLiteral("tNum") + QLatin1Char(g)); }
QLineEdit *name(QDialog &d, char g) { return child<QLineEdit>(d, QStringLiteral("tName") + QLatin1Char(g)); }
void showSlot(QDialog &d, int row, int i) { child<QRadioButton>(d, QStringLiteral("Option%1_%2").arg(row).arg(i))->setChecked(true); }
void mode(QDialog &d, const char *option) { child<QRadioButton>(d, QLatin1String(option))->click(); }

const Slots kForced = {3, 0xFFFE - 5, 0, 0xFFFF, 12};
const Slots kBarred = {0, 7, 0xFFFF, 0xFFFE, 1027};

TEST(SortieDialog, ShowsEachSlotAndWritesThemBackUnchanged)
{
    CommandNode cmd(rec06(1, 12, kForced, kBarred));
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmCharWar6"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 6 : 아군출격설정"));
        EXPECT_TRUE(child<QCheckBox>(d, "ckWar")->isChecked());
        EXPECT_EQ(child<QLineEdit>(d, "tGoCharNum")->text(), QStringLiteral("12"));
        EXPECT_EQ(list(d, 'T')->count(), 5125);
        EXPECT_EQ(list(d, 'T')->itemText(0), QStringLiteral("無"));
        EXPECT_EQ(list(d, 'T')->currentIndex(), 3);
        EXPECT_EQ(list(d, 'F')->currentIndex(), 0);
        EXPECT_EQ(number(d, 'F')->text(), QStringLiteral("0"));

        struct Shown
        {
            int row, slot, item;
            const char *number, *name;
        };
        const Shown shown[] = {
            {1, 1, 1028 + 5, "65529", "*5"}, {1, 2, 0, "0", "無"},     {1, 3, 5124, "0", "無"},
            {1, 4, 12, "12", nullptr},       {2, 2, 5124, "65535", "無"}, {2, 3, 1028, "65534", "*0"},
            {2, 4, 1027, "1027", nullptr},
        };
        for (const Shown &s : shown) {
            showSlot(d, s.row, s.slot);
            const char g = s.row == 1 ? 'T' : 'F';
            EXPECT_EQ(list(d, g)->currentIndex(), s.item) << s.row << s.slot;
            EXPECT_EQ(number(d, g)->text(), QLatin1String(s.number));
            if (s.name) {
                EXPECT_EQ(name(d, g)->text(), QString::fromUtf8(s.name));
            }
        }
        // The other group keeps the slot it shows.
        EXPECT_EQ(static_cast<SortieDialog &>(d).forcedSlot(), 4);
        EXPECT_EQ(static_cast<SortieDialog &>(d).barredSlot(), 4);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), rec06(1, 12, kForced, kBarred));
    EXPECT_EQ(cmd.records, 0);
}

// A forced slot 1 without a person (0xFFFF) opens on the first "無". Only
// looked at, it keeps its stored value: the list has the focus from the
// start, but leaving it stores nothing the user did not change.
TEST(SortieDialog, ForcedSlotOneWithoutAPersonIsKeptUnlessChanged)
{
    const QString stored = rec06(0, 0, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, kBarred);
    CommandNode cmd(stored);
    bool active = false;
    EXPECT_FALSE(cmd.edit([&](QDialog &d) {
        d.activateWindow();
        active = QTest::qWaitForWindowActive(&d);
        EXPECT_EQ(list(d, 'T')->currentIndex(), 0);
        showSlot(d, 1, 3);
        EXPECT_EQ(list(d, 'T')->currentIndex(), 5124);
        enginetest::click(d, "cConfig");
    }));
    if (!active)
        GTEST_SKIP() << "no window activation on this platform";
    EXPECT_EQ(cmd.record(), stored);
    EXPECT_EQ(cmd.records, 0);
}

// A slot number typed and confirmed with Enter is written as a click on OK
// writes it.
TEST(SortieDialog, EnterWritesTheSlotBeingTyped)
{
    CommandNode cmd(rec06(0, 0, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, kBarred));
    bool active = false;
    cmd.edit([&](QDialog &d) {
        d.activateWindow();
        active = QTest::qWaitForWindowActive(&d);
        child<QRadioButton>(d, "oNum")->click();
        QLineEdit *number = child<QLineEdit>(d, "tNumT");
        number->setFocus();
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("7"));
        QTest::keyClick(number, Qt::Key_Return);
    });
    if (!active)
        GTEST_SKIP() << "no window activation on this platform";
    EXPECT_EQ(cmd.record(), rec06(0, 0, {7, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, kBarred));
}

TEST(SortieDialog, AnEditGoesToTheSlotItsGroupShows)
{
    CommandNode cmd(rec06(0, 5, kForced, kBarred));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        showSlot(d, 1, 2);                   // forced slot 3 shown
        list(d, 'F')->setCurrentIndex(9);    // barred slot 1 changed
        showSlot(d, 2, 3);                   // leaving it stores it
        list(d, 'F')->setCurrentIndex(1028 + 14);
        enginetest::click(d, "cConfig");     // Enter: the shown slot is stored too
    }));
    EXPECT_EQ(cmd.record(), rec06(0, 5, kForced, {9, 7, 0xFFFF, 0xFFFE - 14, 1027}));
    EXPECT_EQ(cmd.records, 1);
}

TEST(SortieDialog, NumbersThatNameNobodyTurnIntoTheGroupsNone)
{
    struct Case
    {
        char group;
        const char *typed;
        const char *shown;
        int item;
        int stored;
    };
    const Case cases[] = {
        {'T', "1028", "0", 5124, 0},   {'F', "1028", "65535", 5124, 0xFFFF},
        {'T', "0", "0", 0, 0},         {'F', "1027", "1027", 1027, 1027},
        {'F', "6143", "65535", 5124, 0xFFFF},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        CommandNode cmd(rec06(0, 0, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}));
        cmd.edit([&](QDialog &d) {
            mode(d, "oNum");
            QLineEdit *box = number(d, c.group);
            box->clear();
            QTest::keyClicks(box, QLatin1String(c.typed));
            EXPECT_EQ(box->text(), QLatin1String(c.shown));
            EXPECT_EQ(list(d, c.group)->currentIndex(), c.item);
            enginetest::click(d, "cConfig");
        });
        const Slots stored = {c.stored, 1, 1, 1, 1};
        EXPECT_EQ(cmd.record(), rec06(0, 0, c.group == 'T' ? stored : Slots{1, 1, 1, 1, 1},
                                      c.group == 'F' ? stored : Slots{1, 1, 1, 1, 1}));
    }
}

TEST(SortieDialog, StoredValuesThatNameNobodyShowAsTheirNumberAndAreKept)
{
    // Unnamed persons past the table (1028..0xEFFE) in both groups.
    const Slots forced = {1028, 3, 0xEFFE, 0, 2000};
    const Slots barred = {7, 0x8000, 0xFFFF, 1029, 1028};
    const QString stored = rec06(0, 0, forced, barred);
    CommandNode cmd(stored);
    EXPECT_FALSE(cmd.edit([&](QDialog &d) {
        for (int slot : {0, 1, 2, 3, 4, 0}) {
            for (char g : {'T', 'F'}) {
                showSlot(d, g == 'T' ? 1 : 2, slot);
                const int v = (g == 'T' ? forced : barred)[std::size_t(slot)];
                const bool nobody = v >= 1028 && v <= 0xEFFE;
                SCOPED_TRACE(v);
                // One placeholder at the most, and only for the slot shown.
                EXPECT_EQ(list(d, g)->count(), nobody ? 5126 : 5125);
                if (nobody) {
                    EXPECT_EQ(list(d, g)->currentIndex(), 5125);
                    // Read as the tree's caption reads the slot; its "無"
                    // with the number that tells it from the item.
                    const QString word = core::valueWords(g == 'T' ? core::tags::ForcedPerson : core::tags::BarredPerson,
                                                          v, {});
                    const QString shown = word == QStringLiteral("無") ? word + QStringLiteral(" (%1)").arg(v) : word;
                    EXPECT_EQ(list(d, g)->currentText(), shown);
                    EXPECT_EQ(number(d, g)->text(), QString::number(v));
                    EXPECT_EQ(name(d, g)->text(), shown);
                }
            }
        }
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), stored);

    // A real item picked over a placeholder is written for that slot only;
    // the placeholder picked back gives the stored value again.
    EXPECT_TRUE(cmd.edit([&](QDialog &d) {
        list(d, 'T')->setCurrentIndex(9);
        showSlot(d, 1, 4);
        list(d, 'T')->setCurrentIndex(9);
        list(d, 'T')->setCurrentIndex(5125);
        EXPECT_EQ(number(d, 'T')->text(), QStringLiteral("2000"));
        showSlot(d, 1, 0);
        EXPECT_EQ(list(d, 'T')->count(), 5125);
        EXPECT_EQ(list(d, 'T')->currentIndex(), 9);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), rec06(0, 0, {9, 3, 0xEFFE, 0, 2000}, barred));
}

TEST(SortieDialog, PastedVariablePersonsAreStored)
{
    CommandNode cmd(rec06(0, 0, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}));
    cmd.edit([](QDialog &d) {
        number(d, 'F')->setText(QStringLiteral("61439"));
        EXPECT_EQ(list(d, 'F')->currentIndex(), 5123);
        EXPECT_EQ(name(d, 'F')->text(), QStringLiteral("*4095"));
        number(d, 'T')->setText(QStringLiteral("65534"));
        EXPECT_EQ(name(d, 'T')->text(), QStringLiteral("*0"));
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(cmd.record(), rec06(0, 0, {65534, 1, 1, 1, 1}, {61439, 1, 1, 1, 1}));
}

TEST(SortieDialog, NamesAreLookedUpWhenTheBoxIsLeft)
{
    struct Case
    {
        char group;
        const char *typed;
        int stored;
    };
    const Case cases[] = {
        {'T', "*5", 0xFFFE - 5}, {'F', "*5", 0xFFFE - 5}, {'T', "사람9", 9},  {'F', "사람0", 0},
        {'T', "사람0", 0}, {'T', "", 0},       {'F', "", 0xFFFF},
        {'T', "nobody", 0xFFFF}, {'F', "nobody", 0xFFFF}, {'T', "無", 0},      {'F', "無", 0xFFFF},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        CommandNode cmd(rec06(0, 0, {2, 2, 2, 2, 2}, {2, 2, 2, 2, 2}));
        cmd.ctx.captions.names = &fixtures::flowPersonNames();
        cmd.edit([&](QDialog &d) {
            mode(d, "oName");
            name(d, c.group)->setText(QString::fromUtf8(c.typed));
            enginetest::click(d, "cConfig");
            if (c.stored == 0xFFFF || (c.group == 'T' && c.stored == 0)) {
                EXPECT_EQ(name(d, c.group)->text(), QStringLiteral("無"));
            }
        });
        const Slots stored = {c.stored, 2, 2, 2, 2};
        EXPECT_EQ(cmd.record(), rec06(0, 0, c.group == 'T' ? stored : Slots{2, 2, 2, 2, 2},
                                      c.group == 'F' ? stored : Slots{2, 2, 2, 2, 2}));
    }
}

TEST(SortieDialog, FlagAndCount)
{
    CommandNode cmd(rec06(2, 3, kForced, kBarred));
    cmd.edit([](QDialog &d) {
        EXPECT_FALSE(child<QCheckBox>(d, "ckWar")->isChecked());
        QLineEdit *count = child<QLineEdit>(d, "tGoCharNum");
        count->selectAll();
        QTest::keyClicks(count, QStringLiteral("41"));
        EXPECT_EQ(count->text(), QStringLiteral("40"));
        enginetest::click(d, "cConfig");
    });
    // The flag of 2 is kept: only the count was changed.
    EXPECT_EQ(cmd.record(), rec06(2, 40, kForced, kBarred));
}

TEST(SortieDialog, CancelAfterEditsChangesNothing)
{
    CommandNode cmd(rec06(1, 3, kForced, kBarred));
    const QString key = cmd.key(), caption = cmd.text();
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        list(d, 'T')->setCurrentIndex(40);
        showSlot(d, 1, 4);
        child<QCheckBox>(d, "ckWar")->setChecked(false);
        enginetest::click(d, "cCancel");
    }));
    EXPECT_EQ(cmd.key(), key);
    EXPECT_EQ(cmd.text(), caption);
    EXPECT_EQ(cmd.records, 0);
}

TEST(SortieDialog, StartModeComesFromTheSettingsOnActivation)
{
    CommandNode cmd(rec06(0, 0, kForced, kBarred));
    cmd.settings.insert(QStringLiteral("Option/Char_Select"), QStringLiteral("1"));
    cmd.edit([](QDialog &d) {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&d, &activate);
        auto &w = static_cast<SortieDialog &>(d);
        EXPECT_EQ(w.mode(), core::CharSelectMode::Number);
        EXPECT_TRUE(child<QRadioButton>(d, "oNum")->isChecked());
        EXPECT_FALSE(number(d, 'F')->isHidden());
        EXPECT_TRUE(list(d, 'F')->isHidden());
        mode(d, "oList");
        QEvent again(QEvent::WindowActivate);
        QApplication::sendEvent(&d, &again);
        EXPECT_EQ(w.mode(), core::CharSelectMode::Number);
    });
}

} // namespace
