// The forced sortie dialog (0x4A): slots take a person only when a control
// of their row loses the focus.
#include "commands/battle_setup/forced_sortie_dialog.h"
#include "commands/common/engine_test_support.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "fixtures/army_fixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace commands;
using enginetest::CommandNode;

namespace {

constexpr int kForcedPos = 21;
constexpr int kBarredPos = 61;

struct SortieNode
{
    core::NameTables names = fixtures::armyTestNames();
    CommandNode cmd;
    explicit SortieNode(const QString &record = core::defaultRecord(0x4A)) : cmd(record)
    {
        cmd.ctx.captions.names = &names;
    }
    int forced(int i) const { return core::keyField(cmd.key(), kForcedPos + 8 * i, 2) & 0xFFFF; }
    int barred(int i) const { return core::keyField(cmd.key(), kBarredPos + 8 * i, 2) & 0xFFFF; }
};

template <typename T>
T *child(QDialog &d, const QString &name)
{
    T *w = d.findChild<T *>(name);
    EXPECT_TRUE(w) << name.toStdString();
    return w;
}
QComboBox *list(QDialog &d, const char *name) { return child<QComboBox>(d, QLatin1String(name)); }
QLineEdit *box(QDialog &d, const char *name) { return child<QLineEdit>(d, QLatin1String(name)); }
QRadioButton *slotButton(QDialog &d, int row, int i)
{
    return child<QRadioButton>(d, QStringLiteral("Option%1_%2").arg(row + 1).arg(i));
}

// Focus events need an active window.
void activate(QDialog &d)
{
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
}
// Moves the focus from the control to the count box: the control is left.
void leave(QDialog &d, QWidget *w)
{
    w->setFocus();
    box(d, "tGoCharNum")->setFocus();
}

TEST(ForcedSortieDialog, NewCommandOpensAndEnterAtOnceChangesNothing)
{
    SortieNode node;
    const QString key = node.cmd.key();
    EXPECT_FALSE(node.cmd.edit([&](QDialog &d) {
        activate(d);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 4A : 아군강제출현설정"));
        EXPECT_EQ(list(d, "cbListT")->currentIndex(), 0);
        EXPECT_EQ(list(d, "cbListT")->currentText(), QStringLiteral("無"));
        EXPECT_EQ(box(d, "tNumT")->text(), QStringLiteral("0"));
        EXPECT_EQ(box(d, "tNameT")->text(), QStringLiteral("無"));
        EXPECT_EQ(list(d, "cbListF")->currentIndex(), 5124);
        EXPECT_EQ(list(d, "cbListF")->itemText(0), QStringLiteral("장수0"));
        EXPECT_EQ(box(d, "tNumF")->text(), QStringLiteral("65535"));
        EXPECT_EQ(box(d, "tNameF")->text(), QStringLiteral("無"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    }));
    // The focused list only showed "無" for 0xFFFF: every slot stays as it
    // was and no edit is recorded.
    EXPECT_EQ(node.cmd.key(), key);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(node.forced(i), 0xFFFF) << i;
        EXPECT_EQ(node.barred(i), 0xFFFF) << i;
    }
    EXPECT_EQ(node.cmd.records, 0);
    EXPECT_EQ(node.cmd.marks, 0);
}

TEST(ForcedSortieDialog, AStoredCommandKeepsWhatWasOnlyLookedAtAndEnterWritesAChange)
{
    QString record = core::defaultRecord(0x4A);
    core::keyWriteField(record, 9, 4, 3);  // no longer the catalogue's command
    // Untouched: a click on OK with the forced list focused writes nothing.
    {
        SortieNode node(record);
        const QString key = node.cmd.key();
        EXPECT_FALSE(node.cmd.edit([&](QDialog &d) {
            activate(d);
            QTest::mouseClick(child<QPushButton>(d, QStringLiteral("cConfig")), Qt::LeftButton);
        }));
        EXPECT_EQ(node.cmd.key(), key);
        EXPECT_EQ(node.forced(0), 0xFFFF);
    }
    // A slot changed and confirmed with Enter is written.
    SortieNode node(record);
    EXPECT_TRUE(node.cmd.edit([&](QDialog &d) {
        activate(d);
        list(d, "cbListT")->setCurrentIndex(9);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }));
    EXPECT_EQ(node.forced(0), 9);
    EXPECT_EQ(node.barred(0), 0xFFFF);
}

TEST(ForcedSortieDialog, ClickingOkCommitsTheFocusedControlsChangeFirst)
{
    // Untouched, a click on OK with the forced list focused writes nothing.
    {
        SortieNode node;
        const QString key = node.cmd.key();
        EXPECT_FALSE(node.cmd.edit([&](QDialog &d) {
            activate(d);
            EXPECT_EQ(QApplication::focusWidget(), list(d, "cbListT"));  // the start mode's control
            QTest::mouseClick(child<QPushButton>(d, QStringLiteral("cConfig")), Qt::LeftButton);
        }));
        EXPECT_EQ(node.cmd.key(), key);
    }
    // A choice not yet left is committed by the click.
    SortieNode node;
    node.cmd.edit([&](QDialog &d) {
        activate(d);
        list(d, "cbListT")->setCurrentIndex(9);
        QTest::mouseClick(child<QPushButton>(d, QStringLiteral("cConfig")), Qt::LeftButton);
    });
    EXPECT_EQ(node.forced(0), 9);
    EXPECT_EQ(node.barred(0), 0xFFFF);
    EXPECT_EQ(node.cmd.text(), core::commandCaption(node.cmd.key(), core::CaptionSite::Creation, false,
                                                    node.cmd.ctx.captions));
}

TEST(ForcedSortieDialog, ListsCommitIntoTheChosenSlotOnly)
{
    SortieNode node;
    node.cmd.edit([&](QDialog &d) {
        activate(d);
        // The start mode focused the forced list: leaving it unchanged
        // stores nothing. Barred slot 1 takes 7.
        list(d, "cbListF")->setFocus();
        list(d, "cbListF")->setCurrentIndex(7);
        leave(d, list(d, "cbListF"));
        // Barred slot 2 takes 12; choosing slot 4 afterwards shows its value.
        slotButton(d, 1, 1)->click();
        list(d, "cbListF")->setFocus();
        list(d, "cbListF")->setCurrentIndex(12);
        box(d, "tGoCharNum")->setFocus();
        slotButton(d, 1, 3)->click();
        EXPECT_EQ(list(d, "cbListF")->currentIndex(), 5124);
        // Choosing the forced list's last item falls back to item 0.
        list(d, "cbListT")->setCurrentIndex(5124);
        EXPECT_EQ(list(d, "cbListT")->currentIndex(), 0);
        EXPECT_EQ(box(d, "tNumT")->text(), QStringLiteral("0"));
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(node.barred(0), 7);
    EXPECT_EQ(node.barred(1), 12);
    EXPECT_EQ(node.barred(3), 0xFFFF);
    // The forced list was changed but never left: nothing committed.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(node.forced(i), 0xFFFF) << i;
}

TEST(ForcedSortieDialog, TypedNumbersAndNames)
{
    SortieNode node;
    node.cmd.edit([&](QDialog &d) {
        activate(d);
        child<QRadioButton>(d, QStringLiteral("oNum"))->click();
        QLineEdit *numF = box(d, "tNumF");
        numF->setText(QStringLiteral("61439"));
        EXPECT_EQ(list(d, "cbListF")->currentIndex(), 5123);
        numF->setText(QStringLiteral("2000"));
        EXPECT_EQ(numF->text(), QStringLiteral("65535"));
        box(d, "tNumT")->setText(QStringLiteral("2000"));
        EXPECT_EQ(box(d, "tNumT")->text(), QStringLiteral("0"));
        box(d, "tNumT")->setText(QStringLiteral("44"));
        leave(d, box(d, "tNumT"));  // forced slot 1 = 44

        child<QRadioButton>(d, QStringLiteral("oName"))->click();
        slotButton(d, 1, 1)->click();
        QLineEdit *nameF = box(d, "tNameF");
        nameF->setFocus();
        nameF->setText(QStringLiteral("*5"));
        leave(d, nameF);  // barred slot 2 = variable person 5
        EXPECT_EQ(list(d, "cbListF")->currentIndex(), 1033);

        slotButton(d, 1, 2)->click();
        nameF->setFocus();
        nameF->setText(QStringLiteral("nobody here"));
        leave(d, nameF);  // barred slot 3: no match
        EXPECT_EQ(nameF->text(), QStringLiteral("無"));

        slotButton(d, 1, 3)->click();
        nameF->setFocus();
        nameF->setText(QStringLiteral("장수3"));
        nameF->clear();
        leave(d, nameF);  // barred slot 4: empty

        slotButton(d, 0, 1)->click();
        QLineEdit *nameT = box(d, "tNameT");
        nameT->setFocus();
        nameT->setText(QStringLiteral("장수0"));  // person 0 reads "無" in this row
        EXPECT_EQ(nameT->text(), QStringLiteral("無"));
        leave(d, nameT);  // forced slot 2 = 0

        slotButton(d, 0, 2)->click();
        nameT->setFocus();
        nameT->clear();
        leave(d, nameT);  // forced slot 3: empty
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(node.forced(0), 44);
    EXPECT_EQ(node.forced(1), 0);
    EXPECT_EQ(node.forced(2), 0);
    EXPECT_EQ(node.barred(1), 0xFFFE - 5);
    EXPECT_EQ(node.barred(2), 0xFFFF);
    EXPECT_EQ(node.barred(3), 0xFFFF);
}

TEST(ForcedSortieDialog, CountLimitAndPersonsPastTheTableShowAsTheirNumber)
{
    QString record = core::defaultRecord(0x4A);
    core::keyWriteField(record, 9, 4, 41);
    core::keyWriteField(record, kForcedPos, 2, 1280);
    core::keyWriteField(record, kBarredPos + 8, 2, 0xEFFE);
    SortieNode node(record);
    node.cmd.edit([&](QDialog &d) {
        activate(d);
        EXPECT_EQ(box(d, "tGoCharNum")->text(), QStringLiteral("41"));
        // Its own item after the list's, and the same number in both boxes.
        EXPECT_EQ(list(d, "cbListT")->count(), 5126);
        EXPECT_EQ(list(d, "cbListT")->currentIndex(), 5125);
        // It reads as the tree's caption reads it; the number box holds it.
        EXPECT_EQ(list(d, "cbListT")->currentText(), QStringLiteral("[Var252]"));
        EXPECT_EQ(box(d, "tNumT")->text(), QStringLiteral("1280"));
        EXPECT_EQ(box(d, "tNameT")->text(), QStringLiteral("[Var252]"));
        // Each slot shows its own value; the placeholder goes with its slot.
        EXPECT_EQ(list(d, "cbListF")->count(), 5125);
        slotButton(d, 1, 1)->click();
        EXPECT_EQ(list(d, "cbListF")->currentText(), QStringLiteral("無 (61438)"));
        slotButton(d, 1, 2)->click();
        EXPECT_EQ(list(d, "cbListF")->count(), 5125);
        EXPECT_EQ(list(d, "cbListF")->currentIndex(), 5124);
        slotButton(d, 0, 1)->click();
        EXPECT_EQ(list(d, "cbListT")->count(), 5125);
        slotButton(d, 0, 0)->click();
        EXPECT_EQ(list(d, "cbListT")->currentText(), QStringLiteral("[Var252]"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(core::keyField(node.cmd.key(), 9, 4), 41);
    EXPECT_EQ(node.cmd.key(), record + node.cmd.key().mid(record.size()));
    EXPECT_EQ(node.forced(0), 1280);
    EXPECT_EQ(node.barred(1), 0xEFFE);

    // Picking a real item over the placeholder writes it; picking the
    // placeholder back keeps the stored person.
    for (const bool back : {false, true}) {
        SortieNode again(record);
        again.cmd.edit([&](QDialog &d) {
            activate(d);
            list(d, "cbListT")->setFocus();
            list(d, "cbListT")->setCurrentIndex(9);
            if (back)
                list(d, "cbListT")->setCurrentIndex(5125);
            leave(d, list(d, "cbListT"));
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(again.forced(0), back ? 1280 : 9);
        EXPECT_EQ(again.barred(1), 0xEFFE);
    }
}

TEST(ForcedSortieDialog, CancelAfterCommitsChangesNothing)
{
    SortieNode node;
    const QString key = node.cmd.key(), caption = node.cmd.text();
    EXPECT_FALSE(node.cmd.edit([&](QDialog &d) {
        activate(d);
        list(d, "cbListT")->setFocus();
        list(d, "cbListT")->setCurrentIndex(3);
        leave(d, list(d, "cbListT"));
        enginetest::click(d, "cCancel");
    }));
    EXPECT_EQ(node.cmd.key(), key);
    EXPECT_EQ(node.cmd.text(), caption);
    EXPECT_EQ(node.cmd.records, 0);
}

} // namespace
