#include "workspace/settings_dialog.h"

#include "core/game/game_files.h"
#include "core/settings.h"
#include "fixtures/game_folder_builder.h"
#include "platform/number_box.h"
#include "platform/prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using workspace::SettingsDialog;

namespace {

class SettingsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedIni = core::iniPath();
        core::setIniPath(dir.filePath("Q_T.ini"));
    }
    void TearDown() override { core::setIniPath(savedIni); }

    void writeIni(const QByteArray &text)
    {
        QFile f(core::iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray iniText() const
    {
        QFile f(core::iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString setting(const char *key) const { return core::readINI("Setting", key); }

    QTemporaryDir dir;
    QString savedIni;
};

TEST_F(SettingsDialogTest, BuildsTheNineteenBoxesWithTheirCaptions)
{
    SettingsDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("설정"));
    EXPECT_TRUE(dlg.findChild<QPushButton *>("cSave")->isDefault());
    EXPECT_EQ(dlg.findChild<QPushButton *>("cSave")->text(), QStringLiteral("저장"));
    EXPECT_EQ(dlg.findChild<QPushButton *>("cFolder")->text(), QStringLiteral("…"));
    ASSERT_NE(dlg.findChild<QLineEdit *>("tFolder"), nullptr);
    ASSERT_NE(dlg.findChild<QPushButton *>("Command3"), nullptr);

    QStringList captions;
    for (const auto &f : SettingsDialog::fields()) {
        auto *box = dlg.findChild<platform::NumberBox *>(f.box);
        ASSERT_NE(box, nullptr) << f.box;
        // The caption is the label whose buddy is the box.
        QString caption;
        for (QLabel *l : dlg.findChildren<QLabel *>())
            if (l->buddy() == box)
                caption = l->text();
        captions << caption;
    }
    EXPECT_EQ(captions.size(), 19);
    EXPECT_EQ(captions[0], QStringLiteral("시나리오 개수 : "));
    EXPECT_EQ(captions[9], QStringLiteral("GATE.E5 개수 :")); // no blank after the colon
    EXPECT_EQ(captions[18], QStringLiteral("병종 개수 : "));
    // Every other caption ends in ": ".
    for (int i = 0; i < captions.size(); ++i) {
        if (i != 9) {
            EXPECT_TRUE(captions[i].endsWith(QStringLiteral(": "))) << i;
        }
    }
}

TEST_F(SettingsDialogTest, OpensWithStoredTextsAndAMissingKeyLeavesItsBoxEmpty)
{
    writeIni("[Folder]\r\nPath =  /games/hb  \r\n[Setting]\r\nsCEmax=58\r\nGateMax=187\r\nAVIMax=x4\r\n");
    SettingsDialog dlg;
    EXPECT_EQ(dlg.folderBox()->text(), QStringLiteral("/games/hb"));
    EXPECT_EQ(dlg.box("tSce")->text(), QStringLiteral("58"));
    EXPECT_EQ(dlg.box("tGate")->text(), QStringLiteral("187")); // shown as stored, not yet made even
    EXPECT_EQ(dlg.box("tAVI")->text(), QStringLiteral("x4"));   // as stored, even if not digits
    EXPECT_TRUE(dlg.box("tTroop")->text().isEmpty());
    EXPECT_TRUE(dlg.box("tModel")->text().isEmpty());
}

TEST_F(SettingsDialogTest, SaveWritesEveryKeyInItsOrderIntoAFreshFile)
{
    SettingsDialog dlg;
    int n = 1;
    for (const auto &f : SettingsDialog::fields())
        dlg.box(f.box)->setText(QString::number(n++ * 2));
    dlg.save();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    const QString text = QString::fromUtf8(iniText());
    QStringList keys;
    for (const QString &line : text.split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts))
        keys << line.section('=', 0, 0).trimmed();
    EXPECT_EQ(keys, (QStringList{"[Folder]", "Path",     "[Setting]", "SceMax",    "TrackMax",  "SE_Max",
                                 "SEM_Max",  "SEE_Max",  "TroopCount", "MMap1Max", "MMap2Max",  "LogoMap",
                                 "PMapObjMax", "Unit",   "Face",      "CharLvMax", "ItemLvMax", "MEffMax",
                                 "MCallMax", "LogoMax",  "GateMax",   "AVIMax"}));
    EXPECT_EQ(setting("SceMax"), QStringLiteral("2"));
    EXPECT_EQ(setting("PMapObjMax"), QStringLiteral("4"));
    EXPECT_EQ(setting("TroopCount"), QStringLiteral("38"));
}

TEST_F(SettingsDialogTest, GateCountIsMadeEvenOnlyWhenItIsANumber)
{
    struct Case { QString typed, written; } cases[] = {
        {"187", "186"}, {"186", "186"}, {"1", "0"}, {"0", "0"}, {"", ""}, {"999999999999999", "999999999999998"},
    };
    for (const auto &c : cases) {
        SettingsDialog dlg;
        dlg.box("tGate")->setText(c.typed);
        dlg.save();
        EXPECT_EQ(dlg.box("tGate")->text(), c.written) << c.typed.toStdString();
        EXPECT_EQ(setting("GateMax"), c.written) << c.typed.toStdString();
    }
}

TEST_F(SettingsDialogTest, EnterOnTheGateBoxSavesTheEvenNumber)
{
    SettingsDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    platform::NumberBox *gate = dlg.box("tGate");
    gate->setFocus();
    QTest::keyClicks(gate, "187");
    QTest::keyClick(gate, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(gate->text(), QStringLiteral("186"));
    EXPECT_EQ(setting("GateMax"), QStringLiteral("186"));
}

TEST_F(SettingsDialogTest, EnterWithAnEmptyBoxWritesItEmpty)
{
    writeIni("[Setting]\r\nGateMax=186\r\nSceMax=58\r\n");
    SettingsDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    platform::NumberBox *gate = dlg.box("tGate");
    gate->setFocus();
    gate->clear();
    QTest::keyClick(gate, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(gate->text(), QString());
    EXPECT_TRUE(iniText().contains("GateMax=\r\n") || iniText().contains("GateMax=\n")) << iniText().constData();
    EXPECT_EQ(setting("SceMax"), QStringLiteral("58"));
}

TEST_F(SettingsDialogTest, EscWritesNothing)
{
    writeIni("[Folder]\r\nPath=/old\r\n[Setting]\r\nSceMax=58\r\n");
    const QByteArray before = iniText();
    SettingsDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.box("tSce")->setFocus();
    dlg.box("tSce")->setText("99");
    QTest::keyClick(dlg.box("tSce"), Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(iniText(), before);

    // The hidden cancel button does the same.
    SettingsDialog second;
    second.findChild<QPushButton *>("Command3")->click();
    EXPECT_EQ(second.result(), QDialog::Rejected);
    EXPECT_EQ(iniText(), before);
}

TEST_F(SettingsDialogTest, SaveWritesTheFolderEvenWhenUnchanged)
{
    // Stored with blanks around it; the box shows it trimmed and Save
    // writes the box's text back.
    writeIni("[Folder]\r\nPATH=  /games/hb  \r\n");
    SettingsDialog dlg;
    dlg.save();
    const QByteArray text = iniText();
    EXPECT_FALSE(text.contains("  /games/hb  ")) << text.constData();
    EXPECT_EQ(text.count("/games/hb"), 1) << text.constData();
    EXPECT_EQ(core::readINI("Folder", "Path"), QStringLiteral("/games/hb"));
}

TEST_F(SettingsDialogTest, NumberBoxesRefuseLettersMinusAndPastedNonDigits)
{
    SettingsDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    platform::NumberBox *box = dlg.box("tFace");
    box->setFocus();
    QTest::keyClicks(box, "1a-2 ,3");
    EXPECT_EQ(box->text(), QStringLiteral("123"));

    QApplication::clipboard()->setText("4x5");
    box->end(false);
    box->paste();
    EXPECT_EQ(box->text(), QStringLiteral("123"));
    QApplication::clipboard()->setText("45");
    box->paste();
    EXPECT_EQ(box->text(), QStringLiteral("12345"));

    // Left empty, the box shows "0".
    box->clear();
    dlg.box("tUnit")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(box->text(), QStringLiteral("0"));
}

class SettingsDialogFolderTest : public ::testing::Test
{
protected:
    fixtures::ScopedGameFolder game;
    platform::ScriptedPrompts prompts;
};

TEST_F(SettingsDialogFolderTest, AChosenFolderIsStoredAndLoadedEvenIfTheDialogIsCancelled)
{
    const QString second = game.makeSecondFolder({});
    core::game::GameData data;
    data.folder = game.folder();
    QString reported;
    int calls = 0;

    SettingsDialog dlg(nullptr, &data, [&](const QString &folder, const core::game::GameLoadReport &report) {
        reported = folder;
        ++calls;
        EXPECT_TRUE(report.ok());
    });
    EXPECT_EQ(dlg.folderBox()->text(), game.folder());
    prompts.folderAnswers.push_back(second);
    dlg.findChild<QPushButton *>("cFolder")->click();

    EXPECT_EQ(prompts.folderTitles, QStringList{core::game::kFolderBrowseTitle});
    EXPECT_EQ(dlg.folderBox()->text(), second);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(reported, second);
    EXPECT_EQ(data.folder, second);
    EXPECT_FALSE(data.persons.empty());
    EXPECT_EQ(core::game::folderLoad(), second);

    dlg.reject();
    EXPECT_EQ(core::game::folderLoad(), second);
}

TEST_F(SettingsDialogFolderTest, ACancelledBrowserKeepsTheBoxAndTheStoredFolder)
{
    SettingsDialog dlg; // no tables given: the dialog loads a scratch copy
    dlg.folderBox()->setText(QStringLiteral("/shown/but/unsaved"));
    dlg.findChild<QPushButton *>("cFolder")->click();
    EXPECT_EQ(prompts.folderTitles.size(), 1);
    EXPECT_EQ(dlg.folderBox()->text(), QStringLiteral("/shown/but/unsaved"));
    EXPECT_EQ(core::game::folderLoad(), game.folder());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST(EvenGateCount, LeavesTextThatIsNoNumber)
{
    EXPECT_EQ(workspace::evenGateCount("187"), "186");
    EXPECT_EQ(workspace::evenGateCount("0187"), "186");
    EXPECT_EQ(workspace::evenGateCount(""), "");
    EXPECT_EQ(workspace::evenGateCount("x7"), "x7");
}

} // namespace
