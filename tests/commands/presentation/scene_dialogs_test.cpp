// The background (0x27) and face-set (0x20) dialogs.
#include "commands/common/engine_test_support.h"
#include "commands/presentation/background_dialog.h"
#include "fixtures/presentation_fixtures.h"

#include <QComboBox>
#include "core/param_tags.h"

#include "commands/presentation/face_change_dialog.h"
#include <gtest/gtest.h>

using enginetest::CommandNode;
using fixtures::commandRecord;

namespace {

QString background(int kind, int outer, int whole, int inner, int battle)
{
    return commandRecord(0x27, {{0x2D, 2, kind}, {0x0C, 2, outer}, {0x1A, 2, whole}, {0x1C, 2, inner}, {0x15, 2, battle}});
}

QString face(int v)
{
    return commandRecord(0x20, {{0x4A, 2, v}});
}

QComboBox *list(QDialog &d, const char *name)
{
    return d.findChild<QComboBox *>(QLatin1String(name));
}

// The one value list that is shown (only the chosen kind's).
QString shownList(QDialog &d)
{
    QString shown;
    for (const char *name : {"cbOut", "cbWholeMap", "cbIn", "cbHM"})
        if (!list(d, name)->isHidden())
            shown += QLatin1String(name);
    return shown;
}

TEST(BackgroundDialog, DefaultCountsGiveTheLists)
{
    CommandNode cmd(background(2, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF));
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 27 : 배경설정"));
        const struct {
            const char *name;
            int count;
            const char *first;
            const char *beforeLast;
        } lists[] = {{"cbOut", 41, "MMAP-1", "MMAP-40"},
                     {"cbIn", 75, "MMAP-41", "MMAP-114"},
                     {"cbHM", 59, "HM00", "HM57"},
                     {"cbWholeMap", 2, "중국지도", "중국지도"}};
        for (const auto &l : lists) {
            QComboBox *box = list(d, l.name);
            ASSERT_EQ(box->count(), l.count) << l.name;
            EXPECT_EQ(box->itemText(0), QString::fromUtf8(l.first));
            EXPECT_EQ(box->itemText(l.count - 2), QString::fromUtf8(l.beforeLast));
            EXPECT_EQ(box->itemText(l.count - 1), QStringLiteral("無"));
        }
        EXPECT_EQ(list(d, "cbKind")->currentText(), QStringLiteral("내배경"));
        EXPECT_EQ(shownList(d), QStringLiteral("cbIn"));
        EXPECT_EQ(list(d, "cbIn")->currentText(), QStringLiteral("無"));
        enginetest::click(d, "cConfig");
    }));
}

TEST(BackgroundDialog, StoredValuesLoadAndOkWritesEveryField)
{
    const struct {
        const char *what;
        QString record;
        QHash<QString, QString> settings;
        const char *shown;
        std::function<void(QDialog &)> act;
        QString after;
    } cases[] = {
        {"switching to a battle map keeps the inner field", background(2, 0xFFFF, 0xFFFF, 5, 0xFFFF), {}, "cbIn",
         [](QDialog &d) {
             list(d, "cbKind")->setCurrentIndex(3);
             EXPECT_EQ(shownList(d), QStringLiteral("cbHM"));
             list(d, "cbHM")->setCurrentIndex(3);
             EXPECT_EQ(list(d, "cbHM")->currentText(), QStringLiteral("HM03"));
         },
         background(3, 0xFFFF, 0xFFFF, 5, 3)},
        {"outer 40 of 40 is kept", background(0, 40, 0, 0, 0), {}, "cbOut",
         // The caption's word for it, on a placeholder after the list's own
         // "無", with the number that tells them apart.
         [](QDialog &d) { EXPECT_EQ(list(d, "cbOut")->currentText(), QStringLiteral("無 (40)")); },
         background(0, 40, 0, 0, 0)},
        {"kind 7 shows the outer list and is kept", background(7, 39, 0, 73, 57), {}, "cbOut",
         [](QDialog &d) {
             EXPECT_EQ(list(d, "cbKind")->currentText(), QStringLiteral("외배경 (7)"));
             EXPECT_EQ(list(d, "cbOut")->currentText(), QStringLiteral("MMAP-40"));
         },
         background(7, 39, 0, 73, 57)},
        {"whole map 5 is kept", background(1, 0, 5, 0, 0), {}, "cbWholeMap",
         [](QDialog &d) { EXPECT_EQ(list(d, "cbWholeMap")->currentText(), QStringLiteral("無 (5)")); },
         background(1, 0, 5, 0, 0)},
        {"a kept inner value gives way to a chosen one", background(2, 0, 0, 999, 0), {}, "cbIn",
         [](QDialog &d) {
             EXPECT_EQ(list(d, "cbIn")->currentText(), QStringLiteral("MMAP-1040"));
             list(d, "cbIn")->setCurrentIndex(1);
         },
         background(2, 0, 0, 1, 0)},
        {"none chosen over a kept value", background(3, 0, 0, 0, 500), {}, "cbHM",
         [](QDialog &d) { list(d, "cbHM")->setCurrentIndex(list(d, "cbHM")->count() - 2); },
         background(3, 0, 0, 0, 0xFFFF)},
        {"battle map 100 shows two digits", background(3, 0, 0, 0, 100), {{"Setting/SceMax", "120"}}, "cbHM",
         [](QDialog &d) { EXPECT_EQ(list(d, "cbHM")->currentText(), QStringLiteral("HM00")); },
         background(3, 0, 0, 0, 100)},
        {"the inner series follows the outer count", background(2, 0, 0, 1, 0),
         {{"Setting/MMap1Max", "3"}, {"Setting/MMap2Max", "2"}}, "cbIn",
         [](QDialog &d) { EXPECT_EQ(list(d, "cbIn")->currentText(), QStringLiteral("MMAP-5")); },
         background(2, 0, 0, 1, 0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CommandNode cmd(c.record);
        cmd.settings = c.settings;
        cmd.edit([&](QDialog &d) {
            EXPECT_EQ(shownList(d), QString::fromLatin1(c.shown));
            c.act(d);
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(cmd.record(), c.after);
        EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    }
}

TEST(BackgroundDialog, ShowKindListShowsOneListAndItsLabel)
{
    CommandNode cmd(background(0, 0, 0, 0, 0));
    auto dialog = workspace::DialogRegistry::instance().createDialog(0x27, cmd.ctx);
    auto &d = static_cast<commands::BackgroundDialog &>(*dialog);
    const char *labels[] = {"Label2", "Label3", "Label4", "Label5"};
    for (int kind : {0, 1, 2, 3, 9}) {
        d.showKindList(kind);
        const int shown = std::min(kind, 3);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(d.valueList(k)->isHidden(), k != shown) << kind;
            EXPECT_EQ(d.findChild<QWidget *>(QLatin1String(labels[k]))->isHidden(), k != shown) << kind;
        }
    }
}

TEST(FaceChangeDialog, ValuesOfTheNineItems)
{
    const struct {
        int stored;
        int item;
        int pick;  // -1: leave
        int written;
    } cases[] = {{255, 8, -1, 255}, {5, 9, -1, 5}, {0, 0, 6, 32}, {128, 7, -1, 128}, {16, 5, 4, 4}, {7, 9, 1, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        CommandNode cmd(face(c.stored));
        cmd.edit([&](QDialog &d) {
            QComboBox *box = list(d, "cbFace");
            EXPECT_EQ(box->count(), c.item == 9 ? 10 : 9);  // a kept value is a tenth item
            EXPECT_EQ(box->currentIndex(), c.item);
            if (c.pick >= 0)
                box->setCurrentIndex(c.pick);
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(cmd.record(), face(c.written));
        EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    }
    CommandNode cancelled(face(5));
    cancelled.edit([](QDialog &d) { enginetest::click(d, "cCancel"); });
    EXPECT_EQ(cancelled.record(), face(5));
}

TEST(FaceChangeDialog, ItemsNameAPersonAndTheFace)
{
    CommandNode cmd(face(0));
    cmd.edit([](QDialog &d) {
        QComboBox *box = list(d, "cbFace");
        const char *words[] = {"보통", "놀람", "분노", "기쁨", "부상", "사악", "황제", "외눈", "정상"};
        QHash<QString, QString> personOfItem;
        for (int i = 0; i < 9; ++i) {
            const QStringList parts = box->itemText(i).split(u'-');
            ASSERT_EQ(parts.size(), 2);
            EXPECT_EQ(parts[1], QString::fromUtf8(words[i]));
            personOfItem.insert(QString::number(i), parts[0]);
        }
        // The same person for the items the table gives one person.
        EXPECT_EQ(personOfItem["0"], personOfItem["3"]);
        EXPECT_EQ(personOfItem["4"], personOfItem["7"]);
        EXPECT_EQ(personOfItem["5"], personOfItem["8"]);
        EXPECT_NE(personOfItem["6"], personOfItem["0"]);
        // The dialog and the tree name each face alike.
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(box->itemText(i), core::faceSetCaption(commands::FaceChangeDialog::kValues[std::size_t(i)]));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 20 : 얼굴변화설정"));
        enginetest::click(d, "cCancel");
    });
}

} // namespace
