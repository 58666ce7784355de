#include "platform/cp949.h"
#include "platform/profile_file.h"
#include "platform/profile_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::Cp949;
using platform::ProfileFile;
using platform::ProfileText;

namespace {

class ProfileFileTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Q_T.ini")); }
    void put(const QByteArray &bytes) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray contents() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
};

struct ReadCase {
    const char *name;
    QByteArray file;
    const char *section;
    const char *key;
    const char *expected;
};

TEST_F(ProfileFileTest, ReadsByNameWithoutCaseOrBlanks)
{
    const QByteArray file = "Stray=before any section\r\n"
                            "[FIleName]\r\n"
                            "EXE=Ekd5.exe\r\n"
                            "DATA = Data.e5 \r\n"
                            "Empty=\r\n"
                            ";Commented=yes\r\n"
                            "no equals sign here\r\n"
                            "[ Folder ]\r\n"
                            "  Path  =  /games/three kingdoms  \r\n"
                            "[Twice]\r\n"
                            "a=first\r\n"
                            "[twice]\r\n"
                            "a=second\r\n"
                            "b=only in the second\r\n"
                            "[Quoted]\r\n"
                            "Path = \"C:\\Game Dir\\\" \r\n"
                            "Inner=\" two blanks \"\r\n"
                            "Twice=\"\"x\"\"\r\n"
                            "Empty=\"\"\r\n"
                            "Lone=\"\r\n"
                            "Open=\"abc\r\n"
                            "Middle=a\"b\"c\r\n";
    const ReadCase cases[] = {
        {"section spelled differently", file, "FileName", "EXE", "Ekd5.exe"},
        {"key in another case, value blanks trimmed", file, "filename", "Data", "Data.e5"},
        {"blanks around section and key", file, "Folder ", " PATH", "/games/three kingdoms"},
        {"empty value", file, "FIleName", "Empty", ""},
        {"absent key", file, "FIleName", "FACE", ""},
        {"absent section", file, "Option", "Char_Select", ""},
        {"a commented key does not count", file, "FIleName", "Commented", ""},
        {"a line before any section does not count", file, "", "Stray", ""},
        {"the first of two equal sections wins", file, "Twice", "a", "first"},
        {"a later equal section is searched too", file, "Twice", "b", "only in the second"},
        {"one pair of surrounding double quotes is removed", file, "Quoted", "Path", "C:\\Game Dir\\"},
        {"blanks inside the quotes stay", file, "Quoted", "Inner", " two blanks "},
        {"only one pair of quotes is removed", file, "Quoted", "Twice", "\"x\""},
        {"a pair of quotes alone reads empty", file, "Quoted", "Empty", ""},
        {"a lone quote stays", file, "Quoted", "Lone", "\""},
        {"an unclosed quote stays", file, "Quoted", "Open", "\"abc"},
        {"quotes inside the value stay", file, "Quoted", "Middle", "a\"b\"c"},
        {"an empty file", QByteArray(), "A", "b", ""},
    };
    for (const ReadCase &c : cases) {
        put(c.file);
        EXPECT_EQ(ProfileFile(path()).read(c.section, c.key), QString::fromUtf8(c.expected)) << c.name;
    }
    EXPECT_EQ(ProfileFile(m_dir.filePath("absent.ini")).read("FIleName", "EXE"), QString());
}

struct WriteCase {
    const char *name;
    QByteArray before; // "<none>": no file
    const char *section;
    const char *key;
    const char *value;
    bool ok;
    QByteArray after;
};

TEST_F(ProfileFileTest, WritesOneLineAndKeepsTheRest)
{
    const QByteArray commented = "; settings of the editor\r\n"
                                 "[Folder]\r\n"
                                 "Path=/old\r\n"
                                 "\r\n"
                                 "; quick-add keys\r\n"
                                 "[Fast_Add]\r\n"
                                 "0=2\r\n";
    const WriteCase cases[] = {
        {"\"Path \" updates \"Path\" without a second line", commented, "Folder", "Path ", "/new", true,
         "; settings of the editor\r\n[Folder]\r\nPath=/new\r\n\r\n; quick-add keys\r\n[Fast_Add]\r\n0=2\r\n"},
        {"stored spelling and blanks before = are kept", "[FIleName]\nDATA =a\n", "FileName", "data", "b", true,
         "[FIleName]\nDATA =b\n"},
        {"a missing key goes to the end of its section, before blank lines and comments", commented,
         "folder", "Extra", "1", true,
         "; settings of the editor\r\n[Folder]\r\nPath=/old\r\nExtra=1\r\n\r\n; quick-add keys\r\n"
         "[Fast_Add]\r\n0=2\r\n"},
        {"a missing key in the last section", commented, "Fast_Add", "1", "2", true, commented + "1=2\r\n"},
        {"a missing section goes to the end, in the file's line endings", commented, "Option", "VS_Speed",
         "1.0", true, commented + "[Option]\r\nVS_Speed=1.0\r\n"},
        {"a last line without a line ending gets one", "[A]\nx=1", "A", "y", "2", true, "[A]\nx=1\ny=2\n"},
        {"an empty section gets its first key", "[A]\n[B]\n", "A", "k", "v", true, "[A]\nk=v\n[B]\n"},
        {"a new file", "<none>", " Folder ", " Path ", "", true, "[Folder]\nPath=\n"},
        {"a value with LF is refused", commented, "Folder", "Path", "a\nb", false, commented},
        {"a value with CR is refused", commented, "Folder", "Path", "a\rb", false, commented},
        {"an empty key is refused", commented, "Folder", "  ", "x", false, commented},
        {"a key with = is refused", commented, "Folder", "a=b", "x", false, commented},
        {"an empty section is refused", "<none>", "", "k", "x", false, "<missing>"},
        {"an emptied value", "[A]\nk=1\n", "A", "k", "", true, "[A]\nk=\n"},
    };
    for (const WriteCase &c : cases) {
        QFile::remove(path());
        if (c.before != "<none>")
            put(c.before);
        EXPECT_EQ(ProfileFile(path()).write(c.section, c.key, c.value), c.ok) << c.name;
        EXPECT_EQ(contents(), c.after) << c.name;
        if (c.ok) {
            EXPECT_EQ(ProfileFile(path()).read(c.section, c.key), QString::fromUtf8(c.value).trimmed())
                << c.name;
        }
    }
}

TEST_F(ProfileFileTest, LongValuesAndUnicodeRoundTripInANewUtf8File)
{
    const QString longValue = QString(5000, QChar('x')) + QStringLiteral("끝");
    ProfileFile file(path());
    ASSERT_TRUE(file.write("Recent_Scenario", "1", longValue));
    ASSERT_TRUE(file.write("Folder", "Path", QStringLiteral("/게임/삼국지")));
    EXPECT_EQ(file.read("Recent_Scenario", "1"), longValue);
    EXPECT_EQ(file.read("folder", "path"), QStringLiteral("/게임/삼국지"));
    EXPECT_TRUE(platform::isValidUtf8(contents()));
    EXPECT_TRUE(contents().contains("/게임/삼국지"));
}

TEST_F(ProfileFileTest, Cp949FileStaysCp949)
{
    const QString original = QStringLiteral("; 설정 파일\r\n[Folder]\r\nPath=C:\\게임\\삼국지 5\r\n[Option]\r\nChar_Select=0\r\n");
    const QByteArray bytes = Cp949::encode(original);
    ASSERT_FALSE(platform::isValidUtf8(bytes));
    put(bytes);

    ProfileFile file(path());
    EXPECT_EQ(file.read("Folder", "Path"), QStringLiteral("C:\\게임\\삼국지 5"));

    // Writing the same path back leaves the file byte for byte as it was.
    ASSERT_TRUE(file.write("Folder", "Path", QStringLiteral("C:\\게임\\삼국지 5")));
    EXPECT_EQ(contents(), bytes);

    // A new Korean path is stored in CP949, the rest untouched.
    ASSERT_TRUE(file.write("Folder", "Path ", QStringLiteral("D:\\새 폴더\\게임")));
    ASSERT_TRUE(file.write("Option", "Char_Select", QStringLiteral("2")));
    QString expected = original;
    expected.replace(QStringLiteral("C:\\게임\\삼국지 5"), QStringLiteral("D:\\새 폴더\\게임"));
    expected.replace(QStringLiteral("Char_Select=0"), QStringLiteral("Char_Select=2"));
    EXPECT_EQ(contents(), Cp949::encode(expected));
    EXPECT_EQ(file.read("Folder", "Path"), QStringLiteral("D:\\새 폴더\\게임"));

    // Thai and emoji have no CP949 code: refused, nothing changed.
    const QByteArray before = contents();
    EXPECT_FALSE(file.write("Folder", "Path", QString(QChar(0x0E01))));
    EXPECT_FALSE(file.write("Folder", QString(QChar(0x0E01)), QStringLiteral("x")));
    EXPECT_FALSE(file.write(QStringLiteral("새 섹션 😀"), QStringLiteral("k"), QStringLiteral("x")));
    EXPECT_EQ(contents(), before);
}

// Some Hangul syllables have CP949 bytes that also form valid UTF-8 (a lead
// byte C2-C8 with a trail byte A1-BF). A file that would then read as UTF-8
// is turned into UTF-8 as a whole, so the value reads back as written.
TEST_F(ProfileFileTest, ACp949WriteThatWouldReadAsUtf8MovesTheFileToUtf8)
{
    QString ambiguous;
    for (ushort c = 0xAC00; c <= 0xD7A3 && ambiguous.isEmpty(); ++c) {
        const QByteArray b = Cp949::encode(QString(QChar(c)));
        if (b.size() == 2 && platform::isValidUtf8(b))
            ambiguous = QString(QChar(c));
    }
    ASSERT_FALSE(ambiguous.isEmpty());
    // The only non-ASCII line is the one being replaced.
    put(Cp949::encode(QStringLiteral("[Folder]\r\nPath=C:\\게임\r\n")));
    ProfileFile file(path());
    ASSERT_TRUE(file.write("Folder", "Path", ambiguous));
    EXPECT_EQ(file.read("Folder", "Path"), ambiguous);
    EXPECT_EQ(contents(), "[Folder]\r\nPath=" + ambiguous.toUtf8() + "\r\n");
}

TEST_F(ProfileFileTest, UndecodableBytesOnOtherLinesSurviveAWrite)
{
    const QByteArray tail = QByteArray("junk=\xFF\xFE\x80\x00z\r\n", 11) + QByteArray("\x81", 1);
    put("[A]\r\nx=1\r\n" + tail);
    ASSERT_TRUE(ProfileFile(path()).write("A", "x", "2"));
    EXPECT_EQ(contents(), "[A]\r\nx=2\r\n" + tail);
}

TEST_F(ProfileFileTest, ReadsSeeEveryWriteWithoutCaching)
{
    ProfileFile reader(path()), writer(path());
    EXPECT_EQ(reader.read("A", "k"), QString());
    ASSERT_TRUE(writer.write("A", "k", "1"));
    EXPECT_EQ(reader.read("A", "k"), QStringLiteral("1"));
    put("[A]\nk=from elsewhere\n");
    EXPECT_EQ(reader.read("A", "k"), QStringLiteral("from elsewhere"));
}

TEST_F(ProfileFileTest, AWriteWaitsForTheLockAndGivesUpWithoutChange)
{
    put("[A]\nk=1\n");
    ProfileFile file(path());
    file.setLockTimeout(100);
    QLockFile other(file.lockPath());
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_FALSE(file.write("A", "k", "2"));
    EXPECT_EQ(contents(), "[A]\nk=1\n");
    other.unlock();
    EXPECT_TRUE(file.write("A", "k", "2"));
    EXPECT_EQ(file.read("A", "k"), QStringLiteral("2"));
}

TEST_F(ProfileFileTest, AnUnreadableFileIsNotReplaced)
{
    put("[A]\nk=1\n");
    // A folder where the file should be: neither read nor written.
    const QString folder = m_dir.filePath("folder.ini");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(ProfileFile(folder).read("A", "k"), QString());
    EXPECT_FALSE(ProfileFile(folder).write("A", "k", "2"));
    EXPECT_FALSE(ProfileFile(QString()).write("A", "k", "2"));
}

// Two running copies writing different keys of one section must lose
// nothing. The copies are this test program run again with only the writer
// below enabled.
constexpr int kRaceWrites = 200;
const char *const kChildFile = "STORYLOOM_PROFILE_CHILD_FILE";
const char *const kChildPrefix = "STORYLOOM_PROFILE_CHILD_PREFIX";

TEST(ProfileFileChild, WritesItsKeys)
{
    if (qEnvironmentVariableIsEmpty(kChildFile))
        GTEST_SKIP() << "only run as the writer of ProfileFileTest.TwoProcessesLoseNoWrite";
    ProfileFile file(qEnvironmentVariable(kChildFile));
    const QString prefix = qEnvironmentVariable(kChildPrefix);
    for (int i = 0; i < kRaceWrites; ++i)
        ASSERT_TRUE(file.write("Race", prefix + QString::number(i), QString::number(i * 7)));
}

TEST_F(ProfileFileTest, TwoProcessesLoseNoWrite)
{
    put("; shared by two writers\n[Race]\n");
    QProcess writers[2];
    const char *prefixes[2] = {"a", "b"};
    for (int w = 0; w < 2; ++w) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kChildFile, path());
        env.insert(kChildPrefix, prefixes[w]);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        writers[w].setProcessEnvironment(env);
        writers[w].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writers[w].start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--gtest_filter=ProfileFileChild.WritesItsKeys")});
    }
    for (QProcess &p : writers) {
        ASSERT_TRUE(p.waitForFinished(240000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
    }
    ProfileFile file(path());
    int missing = 0;
    for (const char *prefix : prefixes)
        for (int i = 0; i < kRaceWrites; ++i)
            if (file.read("Race", prefix + QString::number(i)) != QString::number(i * 7))
                ++missing;
    EXPECT_EQ(missing, 0);
    EXPECT_TRUE(contents().startsWith("; shared by two writers\n[Race]\n"));
    EXPECT_EQ(contents().count('\n'), 2 + 2 * kRaceWrites);
}

// The parser gives back exactly the bytes it was given, whatever they are,
// and a write changes nothing but its own line.
TEST(ProfileText, ParseKeepsAnyBytes)
{
    auto *rng = QRandomGenerator::global();
    const char alphabet[] = "[]=; \t\r\nAbk\xB0\xA1\xEA\xB0\x80\xFF";
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        const int n = rng->bounded(64);
        for (int i = 0; i < n; ++i)
            bytes += alphabet[rng->bounded(int(sizeof alphabet - 1))];
        ProfileText text = ProfileText::parse(bytes);
        ASSERT_EQ(text.bytes(), bytes);
        if (text.set("A", "k", "v")) {
            const ProfileText again = ProfileText::parse(text.bytes());
            ASSERT_EQ(again.value("a", "K"), QStringLiteral("v")) << bytes.toHex().constData();
            ASSERT_EQ(again.encoding(), text.encoding()) << bytes.toHex().constData();
        }
    }
}

} // namespace
