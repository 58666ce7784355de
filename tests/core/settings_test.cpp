#include "core/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = core::iniPath();
        core::setIniPath(m_dir.filePath("Q_T.ini"));
    }
    void TearDown() override { core::setIniPath(m_saved); }
    void put(const QByteArray &bytes)
    {
        QFile f(core::iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir m_dir;
    QString m_saved;
};

TEST_F(SettingsTest, ReadAndWriteGoThroughTheSettingsFile)
{
    EXPECT_EQ(core::readINI("Folder", "Path"), QString());
    EXPECT_FALSE(QFile::exists(core::iniPath())); // reading creates nothing
    ASSERT_TRUE(core::writeINI("Folder", "Path ", "/games/삼국지"));
    EXPECT_EQ(core::readINI("folder", "PATH"), QStringLiteral("/games/삼국지"));
    ASSERT_TRUE(core::writeINI("FIleName", "EXE", ""));
    EXPECT_EQ(core::readINI("FileName", "EXE"), QString());
    EXPECT_FALSE(core::writeINI("Folder", "Path", "two\nlines"));

    const QString other = m_dir.filePath("other.ini");
    ASSERT_TRUE(core::writeINI("A", "k", "v", other));
    EXPECT_EQ(core::readINI("A", "k", other), QStringLiteral("v"));
    EXPECT_EQ(core::readINI("A", "k"), QString());

    // Longer than the 1,023 characters a fixed buffer would keep.
    const QString longPath = QStringLiteral("/") + QString(3000, QChar('d'));
    ASSERT_TRUE(core::writeINI("Recent_Scenario", "1", longPath));
    EXPECT_EQ(core::readINI("Recent_Scenario", "1"), longPath);

    EXPECT_FALSE(core::writeINI("A", "k", "v", m_dir.filePath("no/such/folder/Q_T.ini")));
}

TEST_F(SettingsTest, TypedReadersFallBack)
{
    put("[Setting]\n"
        "TroopCount=80\n"
        "Empty=\n"
        "Words=many\n"
        "Leading= 12.6 units\n"
        "Half=2.5\n"
        "Big=99999999999\n"
        "Negative=-3\n"
        "UnitModelAddress=D2800\n"
        "Prefixed=0xff\n"
        "BadHex=D28G0\n"
        "[Option]\n"
        "RC_TabClose=False\n"
        "Ctrl_Click=TRUE\n"
        "Numeric=1\n"
        "Junk=yes\n"
        "VS_Speed=1.5\n");
    struct IntCase {
        const char *key;
        int fallback, min, max, expected;
    };
    const IntCase ints[] = {
        {"TroopCount", 240, 1, 65535, 80},
        {"Missing", 240, 1, 65535, 240},
        {"Empty", 240, 1, 65535, 240},
        {"Words", 7, 0, 100, 7},
        {"Leading", 0, 0, 100, 13},
        {"Half", 0, 0, 100, 2},
        {"Big", 5, 0, 1000, 5},
        {"Negative", 5, 0, 1000, 5},
        {"Negative", 5, -10, 10, -3},
    };
    for (const IntCase &c : ints)
        EXPECT_EQ(core::readIntSetting("Setting", c.key, c.fallback, c.min, c.max), c.expected) << c.key;

    EXPECT_EQ(core::readHexSetting("Setting", "UnitModelAddress", 0), 0xD2800);
    EXPECT_EQ(core::readHexSetting("Setting", "Prefixed", 0), 0xFF);
    EXPECT_EQ(core::readHexSetting("Setting", "BadHex", 0x42), 0x42);
    EXPECT_EQ(core::readHexSetting("Setting", "Missing", 0x42), 0x42);

    EXPECT_FALSE(core::readBoolSetting("Option", "RC_TabClose", true));
    EXPECT_TRUE(core::readBoolSetting("Option", "Ctrl_Click", false));
    EXPECT_TRUE(core::readBoolSetting("Option", "Numeric", false));
    EXPECT_TRUE(core::readBoolSetting("Option", "Junk", true));
    EXPECT_FALSE(core::readBoolSetting("Option", "Missing", false));

    EXPECT_DOUBLE_EQ(core::readDoubleSetting("Option", "VS_Speed", 1.0), 1.5);
    EXPECT_DOUBLE_EQ(core::readDoubleSetting("Option", "Junk", 1.0), 1.0);
}

TEST_F(SettingsTest, CharSelectOption)
{
    using core::CharSelectMode;
    struct Case {
        const char *text; // nullptr: no entry
        CharSelectMode mode;
    };
    const Case cases[] = {
        {nullptr, CharSelectMode::List}, {"0", CharSelectMode::List},   {"1", CharSelectMode::Number},
        {" 1 ", CharSelectMode::Number}, {"2", CharSelectMode::Name},   {"9", CharSelectMode::Name},
        {"255", CharSelectMode::Name},   {"256", CharSelectMode::List}, {"-1", CharSelectMode::List},
        {"", CharSelectMode::List},      {"name", CharSelectMode::List},
    };
    for (const Case &c : cases) {
        QFile::remove(core::iniPath());
        if (c.text) {
            ASSERT_TRUE(core::writeINI("Option", "Char_Select", c.text));
        }
        EXPECT_EQ(core::loadCharSelectOption(), c.mode) << (c.text ? c.text : "<none>");
    }
}

TEST(SettingsPaths, AppPathEndsInASlash)
{
    const QString app = core::appPath();
    EXPECT_TRUE(app.endsWith('/'));
    EXPECT_FALSE(app.endsWith("//"));
    EXPECT_TRUE(QDir(app).exists());
}

TEST(SettingsPaths, SettingsFileBesideTheProgramUnlessItsFolderIsReadOnly)
{
    QTemporaryDir app, config;
    EXPECT_EQ(core::chooseIniPath(app.path(), config.path()), app.path() + "/Q_T.ini");
    EXPECT_EQ(core::chooseIniPath(app.path() + "/", config.path()), app.path() + "/Q_T.ini");
    // Nothing can be created in /proc, not even by the superuser.
    const QString fallback = config.path() + "/storyloom";
    EXPECT_EQ(core::chooseIniPath("/proc", fallback), fallback + "/Q_T.ini");
    EXPECT_TRUE(QDir(fallback).exists());
    EXPECT_TRUE(QDir(app.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()); // probe removed
}

} // namespace
