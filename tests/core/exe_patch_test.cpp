#include "core/exe_patch.h"
#include "core/settings.h"
#include "fixtures/hex_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace core;

namespace {

// Written independently of the patch code: positions counted from 1.
struct Single {
    qsizetype position1;
    unsigned char value;
};
const Single kSingles[] = {
    {581201, 0x78}, {581205, 0x78}, {581441, 0x78}, {581445, 0x78}, {713823, 0x30},
    {713860, 0x30}, {713897, 0x30}, {713525, 0x78}, {713527, 0x78},
};
constexpr qsizetype kBlockOffset0 = 713013;
const char *kBlock =
    "55 8B EC 83 EC 04 FF 35 04 6F 58 00 6A 78 6A 78 FF 35 3C 6F 58 00 FF 35 40 6F 58 00 FF 75 08 E8"
    "55 7F F2 FF FF 35 0C 6F 58 00 6A 50 6A 08 A1 3C 6F 58 00 83 C0 1D 50 8B 0D 40 6F 58 00 0F B6 05"
    "44 6F 58 00 85 C0 74 09 81 C1 88 00 00 00 51 EB 07 81 E9 5E 01 00 00 51 FF 75 08 E8 19 7F F2 FF"
    "FF 35 10 6F 58 00 6A 50 6A 08 A1 3C 6F 58 00 83 C0 1D 50 8B 0D 40 6F 58 00 0F B6 05 44 6F 58 00"
    "85 C0 74 09 81 C1 D1 01 00 00 51 EB 04 83 E9 16 51 FF 75 08 E8 E0 7E F2 FF 0F B6 05 38 6F 58 00"
    "85 C0 74 1E FF 35 18 6F 58 00 6A 18 6A 18 FF 35 48 6F 58 00 FF 35 4C 6F 58 00 FF 75 08 E8 B7 7E"
    "F2 FF 8B E5 5D C2 04 00";
constexpr qsizetype kNeeded = 713897;  // the highest 1-based position

// A source whose bytes differ from every patched value at the patched spots.
QByteArray sourceImage(qsizetype size)
{
    QByteArray b(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        b[i] = char((i * 7 + 1) % 251);
    for (const Single &s : kSingles)
        if (s.position1 <= size)  // a short image lacks the highest patched byte
            b[s.position1 - 1] = char(0x11);
    return b;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ExePatchTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString src() const { return dir.filePath("ekd5_2.exe"); }
    QString dst() const { return dir.filePath("ekd5_3.exe"); }
};

} // namespace

TEST_F(ExePatchTest, CopyDiffersOnlyAtThePatchedBytes)
{
    const QByteArray source = sourceImage(kNeeded + 5000);
    ASSERT_TRUE(writeFile(src(), source));

    const ExePatchResult r = exePatch(dir.path());
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.message, QString("GODD"));
    EXPECT_EQ(readFile(src()), source);

    const QByteArray copy = readFile(dst());
    ASSERT_EQ(copy.size(), source.size());
    const QByteArray block = fixtures::hexBytes(kBlock);
    ASSERT_EQ(block.size(), 200);

    QByteArray expected = source;
    for (const Single &s : kSingles) {
        // The position counts from 1: the byte at offset position-1 changes,
        // the byte at offset position (a 0-based misreading) does not.
        EXPECT_EQ((unsigned char)copy[s.position1 - 1], s.value) << s.position1;
        EXPECT_EQ(copy[s.position1], source[s.position1]) << s.position1;
        expected[s.position1 - 1] = char(s.value);
    }
    // The block starts at the 0-based offset: the byte before it is untouched.
    EXPECT_EQ(copy.mid(kBlockOffset0, 200), block);
    EXPECT_EQ(copy[kBlockOffset0 - 1], source[kBlockOffset0 - 1]);
    EXPECT_EQ(copy[kBlockOffset0 + 200], source[kBlockOffset0 + 200]);
    expected.replace(kBlockOffset0, 200, block);
    EXPECT_EQ(copy, expected);
}

TEST_F(ExePatchTest, SecondRunReplacesTheCopyWithTheSameFile)
{
    ASSERT_TRUE(writeFile(src(), sourceImage(kNeeded)));
    ASSERT_TRUE(exePatch(dir.path()).ok);
    const QByteArray first = readFile(dst());
    ASSERT_TRUE(writeFile(dst(), "scribbled over"));
    ASSERT_TRUE(exePatch(dir.path()).ok);
    EXPECT_EQ(readFile(dst()), first);
}

TEST_F(ExePatchTest, SourceLengthMustReachTheHighestPatchedByte)
{
    EXPECT_EQ(exePatchMinimumSize(), kNeeded);
    ASSERT_TRUE(writeFile(dst(), "older copy"));

    ASSERT_TRUE(writeFile(src(), sourceImage(kNeeded - 1)));
    const ExePatchResult shortRun = exePatch(dir.path());
    EXPECT_FALSE(shortRun.ok);
    EXPECT_NE(shortRun.message, QString("GODD"));
    EXPECT_FALSE(shortRun.message.isEmpty());
    EXPECT_EQ(readFile(dst()), QByteArray("older copy"));

    ASSERT_TRUE(writeFile(src(), sourceImage(kNeeded)));
    const ExePatchResult exact = exePatch(dir.path());
    EXPECT_TRUE(exact.ok) << exact.message.toStdString();
    EXPECT_EQ(readFile(dst()).size(), kNeeded);
}

TEST_F(ExePatchTest, MissingFolderOrSourceIsAnErrorAndKeepsTheCopy)
{
    ASSERT_TRUE(writeFile(dst(), "older copy"));
    for (const QString &folder : {QString(), QString("   "), dir.filePath("no-such-folder"), dir.path()}) {
        const ExePatchResult r = exePatch(folder);
        EXPECT_FALSE(r.ok) << folder.toStdString();
        EXPECT_NE(r.message, QString("GODD"));
        EXPECT_FALSE(r.message.isEmpty());
    }
    EXPECT_EQ(readFile(dst()), QByteArray("older copy"));
    EXPECT_FALSE(QFile::exists(src()));
}

TEST_F(ExePatchTest, TakesTheFolderFromTheSettingsFile)
{
    const QString savedIni = iniPath();
    const QString ini = dir.filePath("Q_T.ini");
    ASSERT_TRUE(writeFile(ini, QByteArray("[Folder]\r\nPath = ") + dir.path().toUtf8() + "\r\n"));
    setIniPath(ini);
    ASSERT_TRUE(writeFile(src(), sourceImage(kNeeded)));
    const ExePatchResult r = exePatch();
    setIniPath(savedIni);
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_TRUE(QFile::exists(dst()));
}
