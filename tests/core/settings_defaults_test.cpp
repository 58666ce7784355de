#include "core/settings.h"
#include "core/settings_defaults.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Points the settings file into a fresh folder for one test.
class SettingsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = core::iniPath();
        core::setIniPath(dir.filePath("Q_T.ini"));
    }
    void TearDown() override { core::setIniPath(previous); }

    QByteArray fileBytes() const
    {
        QFile f(core::iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeFile(const QByteArray &bytes)
    {
        QFile f(core::iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
    QString previous;
};

// The fresh settings file, line by line, as the program must create it.
const char *const kFreshFile[] = {
    "[Folder]", "Path=",
    "[FIleName]", "EXE=Ekd5.exe", "DATA=Data.e5", "FACE=Face.e5",
    "[Setting]", "UnitModelAddress=D2800", "TroopNameAddress=D18D0", "TroopNameLength=9", "TroopCount=80",
    "SceMax=58", "TrackMax=21", "SE_Max=43", "SEM_Max=37", "SEE_Max=9", "MMap1Max=40", "MMap2Max=74",
    "LogoMap=100", "PMapObjMax=206", "Unit=151", "Face=228", "CharLvMax=50", "ItemLvMax=9", "MEffMax=58",
    "MCallMax=9", "LogoMax=99", "GateMax=186", "AVIMax=4",
    "[Fast_Add]", "0=2", "1=2", "2=2", "3=2", "0Child=False", "1Child=False", "2Child=False", "3Child=False",
    "[Option]", "RC_TabClose=False", "Ctrl_Click=True", "Shift_Click=True", "VS_Speed=1.0", "Char_Select=0",
};

TEST_F(SettingsFileTest, FirstStartWritesEveryDefaultInOrderAndSecondStartChangesNothing)
{
    EXPECT_EQ(core::settingLoad(), 80);
    const QByteArray first = fileBytes();
    QStringList lines = QString::fromUtf8(first).replace("\r\n", "\n").split('\n');
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList expected;
    for (const char *line : kFreshFile)
        expected << QString::fromUtf8(line);
    EXPECT_EQ(lines, expected);

    EXPECT_EQ(core::settingLoad(), 80);
    EXPECT_EQ(fileBytes(), first);
}

TEST_F(SettingsFileTest, ExistingFileIsNotCompletedAndMissingTroopCountGives240)
{
    const QByteArray bytes("[Folder]\r\nPath=C:\\Game\r\n; note\r\n");
    writeFile(bytes);
    EXPECT_EQ(core::settingLoad(), 240);
    EXPECT_EQ(fileBytes(), bytes);
}

TEST_F(SettingsFileTest, MissingOptionEntriesTakeTheirDefaults)
{
    writeFile("[Option]\nCtrl_Click=False\n");
    const core::OptionMarks marks = core::readOptionMarks();
    EXPECT_FALSE(marks.rightClickTabClose);
    EXPECT_FALSE(marks.ctrlClick);
    EXPECT_TRUE(marks.shiftClick);
    EXPECT_EQ(marks.charSelect, core::CharSelectMode::List);

    writeFile("[option]\n rc_tabclose = True \nShift_Click=garbage\nChar_Select=2\n");
    const core::OptionMarks other = core::readOptionMarks();
    EXPECT_TRUE(other.rightClickTabClose);
    EXPECT_TRUE(other.ctrlClick);
    EXPECT_TRUE(other.shiftClick);
    EXPECT_EQ(other.charSelect, core::CharSelectMode::Name);
}

TEST(TroopCount, ReadsTheLeadingNumberAndFallsBackTo240)
{
    const struct
    {
        const char *text;
        int expected;
    } cases[] = {
        {"80", 80},   {"", 240},      {"   ", 240},     {"abc", 240}, {"0", 240},     {"-5", 240},
        {"1", 1},     {" 12 ", 12},   {"12.6", 13},     {"7x", 7},    {"2.5", 2},     {"99999", 240},
        {"32767", 32767}, {".", 240}, {"+40", 40},
    };
    for (const auto &c : cases)
        EXPECT_EQ(core::troopCountFromText(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(OptionText, FlagsAndPickerModes)
{
    EXPECT_EQ(core::boolText(true), "True");
    EXPECT_EQ(core::boolText(false), "False");
    EXPECT_TRUE(core::boolFromText("true", false));
    EXPECT_FALSE(core::boolFromText("FALSE", true));
    EXPECT_TRUE(core::boolFromText("-1", false));
    EXPECT_FALSE(core::boolFromText("0", true));
    EXPECT_TRUE(core::boolFromText("", true));
    EXPECT_FALSE(core::boolFromText("yes please", false));

    using core::CharSelectMode;
    const struct
    {
        const char *text;
        CharSelectMode expected;
    } modes[] = {{"0", CharSelectMode::List}, {"1", CharSelectMode::Number}, {"2", CharSelectMode::Name},
                 {"255", CharSelectMode::Name}, {"256", CharSelectMode::List}, {"-1", CharSelectMode::List},
                 {"x", CharSelectMode::List}, {"", CharSelectMode::List}};
    for (const auto &m : modes)
        EXPECT_EQ(core::charSelectModeFromText(m.text), m.expected) << m.text;
}

} // namespace
