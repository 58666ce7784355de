#include "core/game/demo_game_folder.h"
#include "core/game/game_data.h"
#include "core/game/game_files.h"
#include "core/settings.h"
#include "fixtures/game_folder_builder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/game/e5_archive.h"

#include <gtest/gtest.h>

#include <functional>

using namespace core::game;
using namespace fixtures;

namespace {
QString listed(int blanks, int n, int base)
{
    return demoItemName(n) + QString(blanks, u' ') + QString::number(n + base);
}
} // namespace

TEST(GameDataLoad, PersonsFromTheDataArchive)
{
    ScopedGameFolder game;
    GameData data;
    ASSERT_TRUE(gameDataLoad(data, game.folder()).ok());
    const QStringList &names = data.names.charNames;
    ASSERT_EQ(names.size(), kCharNameCount);
    EXPECT_EQ(names[0], demoPersonName(0));
    EXPECT_EQ(names[kFullWidthPerson], kFullWidthPersonName);
    EXPECT_EQ(names[kEmbeddedNulPerson], QStringLiteral("ABC"));
    EXPECT_EQ(names[1023], demoPersonName(1023));
    EXPECT_EQ(names[1024], QStringLiteral("모든 인물"));
    EXPECT_EQ(names[1027], QStringLiteral("아군직면인물"));
    EXPECT_EQ(names[1028], QStringLiteral("*0"));
    EXPECT_EQ(names[5123], QStringLiteral("*4095"));
    ASSERT_EQ(data.persons.size(), size_t(kPersonCount));
    EXPECT_EQ(data.persons[37].face, 37 % 16);
    EXPECT_EQ(data.persons[37].mapModel, 37 % 8);
    EXPECT_EQ(data.persons[237].troop, 237 % 240);
    ASSERT_EQ(data.unitModels.size(), size_t(kPersonCount));
    EXPECT_EQ(data.unitModels[10], 10 % 8);
    EXPECT_EQ(data.weatherNames, QStringList({"맑음", "흐림", "비", "호우", "눈"}));
}

TEST(GameDataLoad, ItemsAndEquipmentLists)
{
    ScopedGameFolder game;
    GameData data;
    gameDataLoad(data, game.folder());
    const core::NameTables &t = data.names;
    ASSERT_EQ(t.itemNames.size(), kItemCount);
    for (int n = 0; n < kItemCount; ++n) {
        EXPECT_EQ(t.itemNames[n], demoItemName(n)) << n;
        const quint8 type = demoItemType(n);
        const int base = n < kDataItemCount ? 2 : 28;
        const bool weapon = type < 20, defence = type >= 20 && type <= 25;
        const bool assist = type >= 26 && !(type >= 71 && type <= 84);
        EXPECT_EQ(t.weaponNames[n], weapon ? listed(39, n, base) : QString()) << n;
        EXPECT_EQ(t.defenceNames[n], defence ? listed(38, n, base) : QString()) << n;
        EXPECT_EQ(t.assistNames[n], assist ? listed(37, n, base) : QString()) << n;
    }
    // The fixture covers each rule: a data item of type 20, a star item of
    // type 25, and type 71 listed nowhere.
    EXPECT_EQ(demoItemType(40), 20 + 40 % 6);
    EXPECT_EQ(demoItemType(107), 25);
    EXPECT_EQ(t.defenceNames[107], listed(38, 107, 28));
    EXPECT_EQ(demoItemType(54), 71);
}

TEST(GameDataLoad, TroopNamesFollowTheSettings)
{
    ScopedGameFolder game;
    GameData data;
    gameDataLoad(data, game.folder());
    ASSERT_EQ(data.names.troopNames.size(), 240);
    EXPECT_EQ(data.names.troopNames[0], demoTroopName(0));
    EXPECT_EQ(data.names.troopNames[239], demoTroopName(239));

    // A table elsewhere, named by the settings.
    GameFolderOptions moved;
    moved.exe.troopAddress = 0x1000;
    moved.exe.troopLength = 12;
    moved.exe.troopCount = 3;
    const QString second = game.makeSecondFolder(moved);
    core::writeINI("Setting", "TroopNameAddress", "1000");
    core::writeINI("Setting", "TroopNameLength", "12");
    core::writeINI("Setting", "TroopCount", "3");
    gameDataLoad(data, second);
    EXPECT_EQ(data.names.troopNames, QStringList({demoTroopName(0), demoTroopName(1), demoTroopName(2)}));
}

TEST(GameDataLoad, InvalidTroopSettingsFallBack)
{
    ScopedGameFolder game;
    const struct { const char *address, *length, *count; qint64 a; qint64 l; int c; } cases[] = {
        {"D18D0", "9", "80", 0xD18D0, 9, 80},
        {"xyz", "9", "80", -1, 9, 80},
        {"D18D0", "0", "", 0xD18D0, 9, 240},
        {"D18D0", "-4", "0", 0xD18D0, 9, 240},
        {"D18D0", "abc", "many", 0xD18D0, 9, 240},
        {"0xD18D0", "9.4", "12.6", -1, 9, 13},
        {"d18d0", "10", "99999", 0xD18D0, 10, 240},
    };
    for (const auto &c : cases) {
        core::writeINI("Setting", "TroopNameAddress", c.address);
        core::writeINI("Setting", "TroopNameLength", c.length);
        core::writeINI("Setting", "TroopCount", c.count);
        const TroopSettings s = readTroopSettings();
        EXPECT_EQ(s.address, c.a) << c.address;
        EXPECT_EQ(s.length, c.l) << c.length;
        EXPECT_EQ(s.count, c.c) << c.count;
    }
    // No valid address: a table of empty names.
    core::writeINI("Setting", "TroopNameAddress", "not hex");
    core::writeINI("Setting", "TroopCount", "5");
    GameData data;
    gameDataLoad(data, game.folder());
    EXPECT_EQ(data.names.troopNames, QStringList(5));
}

TEST(GameDataLoad, TroopNameScanStopsAtTheEndOfTheFile)
{
    QByteArray exe(64, 'x');
    EXPECT_EQ(decodeTroopName(exe, 60), QStringLiteral("xxxx"));
    EXPECT_EQ(decodeTroopName(exe, 64), QString());
    EXPECT_EQ(decodeTroopName(exe, -1), QString());
    exe[62] = 0;
    EXPECT_EQ(decodeTroopName(exe, 60), QStringLiteral("xx"));
    EXPECT_EQ(decodeTroopName(exe, 62), QString());
}

TEST(GameDataLoad, LoneLeadByteAtTheEndOfANameShowsAsReplacement)
{
    const QString bad(QChar(0xFFFD));
    // A full 12-byte person field ending in a lead byte, one cut by a NUL, and whole Hangul.
    EXPECT_EQ(decodeNameField(QByteArray("ABCDEFGHIJK\xB0")), QStringLiteral("ABCDEFGHIJK") + bad);
    EXPECT_EQ(decodeNameField(QByteArray("AB\xB0\0\0\0", 6)), QStringLiteral("AB") + bad);
    EXPECT_EQ(decodeNameField(QByteArray("\xB0\xA1\0", 3)), QStringLiteral("가"));
    // A troop name whose lead byte stands before its NUL, or at the end of the file.
    const QByteArray exe("xx\xB0\0yy\xB0", 7);
    EXPECT_EQ(decodeTroopName(exe, 0), QStringLiteral("xx") + bad);
    EXPECT_EQ(decodeTroopName(exe, 4), QStringLiteral("yy") + bad);
}

TEST(GameDataLoad, PackedArchiveUnpacksOnceThenStaysByteIdentical)
{
    GameFolderOptions packed;
    packed.data = DataArchiveKind::Packed;
    ScopedGameFolder game(packed);
    GameData data;
    ASSERT_TRUE(gameDataLoad(data, game.folder()).ok());
    const QByteArray once = ReadFileBytes(game.path("Data.e5"));
    EXPECT_EQ(once, ExpectedUnpackedArchive(DataArchiveKind::Packed));
    EXPECT_EQ(data.names.charNames[kEmbeddedNulPerson], QStringLiteral("ABC"));
    ASSERT_TRUE(gameDataLoad(data, game.folder()).ok());
    EXPECT_EQ(ReadFileBytes(game.path("Data.e5")), once);
}

TEST(GameDataLoad, DamagedDataArchiveEmptiesNamesAndReportsOnce)
{
    for (DataDamage damage : {DataDamage::BadDistance, DataDamage::TrailingData, DataDamage::NotArchive,
                              DataDamage::DirectorySign}) {
        ScopedGameFolder game;
        GameData data;
        gameDataLoad(data, game.folder()); // stale names from a good load
        const QByteArray bytes = DamagedDataArchive(damage);
        WriteFileBytes(game.path("Data.e5"), bytes);
        const GameLoadReport r = gameDataLoad(data, game.folder());
        ASSERT_EQ(r.messages.size(), 1) << int(damage);
        EXPECT_EQ(ReadFileBytes(game.path("Data.e5")), bytes);
        EXPECT_EQ(data.names.charNames[0], QString());
        EXPECT_EQ(data.names.itemNames[105], QString());
        EXPECT_EQ(data.names.weaponNames, QStringList(kItemCount));
        EXPECT_TRUE(data.persons.empty());
        EXPECT_EQ(data.names.charNames[1024], QStringLiteral("모든 인물"));
        EXPECT_EQ(data.names.troopNames[0], demoTroopName(0)); // the executable was fine
    }
}

TEST(GameDataLoad, MissingFilesEmptyTheirNamesWithoutComplaint)
{
    GameFolderOptions bare;
    bare.withData = false;
    bare.withExe = false;
    bare.withStar = false;
    ScopedGameFolder game;
    const QString empty = game.makeSecondFolder(bare);
    GameData data;
    gameDataLoad(data, game.folder());
    ASSERT_TRUE(gameDataLoad(data, empty).ok()); // switch folders
    EXPECT_EQ(data.folder, empty);
    EXPECT_EQ(data.names.charNames[0], QString());
    EXPECT_EQ(data.names.charNames[1025], QStringLiteral("아군or우군"));
    EXPECT_EQ(data.names.charNames[1028 + 77], QStringLiteral("*77"));
    EXPECT_EQ(data.names.itemNames, QStringList(kItemCount));
    EXPECT_EQ(data.names.weaponNames, QStringList(kItemCount));
    EXPECT_EQ(data.names.defenceNames, QStringList(kItemCount));
    EXPECT_EQ(data.names.assistNames, QStringList(kItemCount));
    EXPECT_EQ(data.names.troopNames, QStringList(240));
    EXPECT_TRUE(data.persons.empty());
    EXPECT_TRUE(data.unitModels.empty());
    EXPECT_FALSE(QFileInfo::exists(QDir(empty).filePath("star.e5"))) << "star.e5 is never created";
}

TEST(GameDataLoad, MissingStarLeavesItsTwelveItemsEmpty)
{
    GameFolderOptions noStar;
    noStar.withStar = false;
    ScopedGameFolder game(noStar);
    GameData data;
    ASSERT_TRUE(gameDataLoad(data, game.folder()).ok());
    EXPECT_EQ(data.names.itemNames[103], demoItemName(103));
    EXPECT_EQ(data.names.itemNames[104], QString());
    EXPECT_EQ(data.names.defenceNames[107], QString());
    EXPECT_FALSE(QFileInfo::exists(game.path("star.e5")));
}

TEST(GameDataLoad, GameFilesAreFoundWithoutRegardToCase)
{
    GameFolderOptions odd;
    odd.dataName = "DATA.E5";
    odd.exeName = "ekd5.EXE";
    odd.starName = "Star.E5";
    ScopedGameFolder game(odd);
    GameData data;
    ASSERT_TRUE(gameDataLoad(data, game.folder()).ok());
    EXPECT_EQ(data.names.charNames[0], demoPersonName(0));
    EXPECT_EQ(data.names.itemNames[110], demoItemName(110));
    EXPECT_EQ(data.names.troopNames[1], demoTroopName(1));

    // The exact name wins over a case variant.
    WriteFileBytes(game.path("Data.e5"), "exact");
    EXPECT_EQ(gameFilePath(game.folder(), "Data.e5"), game.path("Data.e5"));
    EXPECT_EQ(gameFilePath(game.folder(), "data.e5"), game.path("DATA.E5"));
    QDir(game.folder()).mkdir("MAP");
    WriteFileBytes(game.path("MAP/m001.jpg"), "x");
    EXPECT_EQ(gameFilePath(game.folder(), "Map\\M001.JPG"), game.path("MAP/m001.jpg"));
    EXPECT_EQ(gameFilePath(game.folder(), "none.e5"), game.path("none.e5"));
}

TEST(GameDataLoad, ShortDataFileReadsPastItsEndAsEmpty)
{
    // An unpacked archive whose item table is cut short.
    QList<QByteArray> entries = FixtureDataEntries();
    QByteArray bytes = DataArchive(DataArchiveKind::Unpacked);
    const qint64 itemsAt = 344 + entries[0].size();
    bytes.truncate(itemsAt + 25 * 3 + 5);
    ScopedGameFolder game;
    WriteFileBytes(game.path("Data.e5"), bytes + QByteArray(30000, '\0')); // stays above the unpack limit
    GameData data;
    gameDataLoad(data, game.folder());
    EXPECT_EQ(data.names.itemNames[2], demoItemName(2));
    EXPECT_EQ(data.names.itemNames[50], QString());
}

TEST(DemoGameFolder, LoadsAndServesEveryArchive)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("demo");
    QString error;
    ASSERT_TRUE(writeDemoGameFolder(folder, &error)) << error.toStdString();
    ScopedGameFolder settings; // default settings, then point the loader at the demo
    GameData data;
    ASSERT_TRUE(gameDataLoad(data, folder).ok());
    EXPECT_EQ(data.names.charNames[5], demoPersonName(5));
    EXPECT_EQ(data.names.itemNames[115], demoItemName(115));
    EXPECT_EQ(data.names.troopNames[17], demoTroopName(17));
    for (const char *name : {"face.e5", "PMAPOBJ.e5", "UNIT_ATK.e5", "UNIT_Mov.e5", "UNIT_SPC.e5", "LOGO.e5", "mmap.e5"})
        EXPECT_TRUE(readE5Entry(QDir(folder).filePath(name), 0).ok()) << name;
    EXPECT_EQ(readE5Entry(QDir(folder).filePath("PMAPOBJ.e5"), 3).bytes.size(), 61440);
    EXPECT_EQ(readE5Entry(QDir(folder).filePath("UNIT_ATK.e5"), 1).bytes.size(), 64 * 768);
    const QByteArray mmap = ReadFileBytes(QDir(folder).filePath("mmap.e5"));
    const int n = *bytesToLongBE(mmap, 280) / 12 - 23;
    EXPECT_EQ(*bytesToLongBE(mmap, 272 + 12 * (n - 1)), 256000);
}

// A game file that is a folder, or bytes that are no game file, is named in
// the report: the user learns why names are missing.
TEST(GameDataLoad, FoldersAndJunkInPlaceOfGameFilesAreNamed)
{
    const auto junk = [](int size, quint32 seed) {
        QByteArray b(size, '\0');
        for (int i = 0; i < size; ++i) {
            seed = seed * 1103515245u + 12345u;
            b[i] = char(seed >> 24);
        }
        return b;
    };
    struct Case {
        const char *name;
        std::function<void(const ScopedGameFolder &)> spoil;
        QStringList says;
    };
    const auto folderFor = [](const char *file) {
        return [file](const ScopedGameFolder &g) {
            QFile::remove(g.path(file));
            ASSERT_TRUE(QDir(g.folder()).mkdir(file));
        };
    };
    const std::vector<Case> cases = {
        {"data folder", folderFor("Data.e5"), {"Data.e5이(가) 파일이 아니라 폴더"}},
        {"star folder", folderFor("star.e5"), {"star.e5이(가) 파일이 아니라 폴더"}},
        {"exe folder", folderFor("Ekd5.exe"), {"Ekd5.exe이(가) 파일이 아니라 폴더"}},
        {"all junk",
         [&](const ScopedGameFolder &g) {
             WriteFileBytes(g.path("Data.e5"), junk(40000, 1));
             WriteFileBytes(g.path("star.e5"), junk(4000, 2));
             WriteFileBytes(g.path("Ekd5.exe"), junk(900000, 3));
         },
         {"Ekd5.exe이(가) 게임 실행 파일이 아닙니다", "데이터 파일 Data.e5의 항목 목록이 손상되었습니다"}},
        {"small junk data", [&](const ScopedGameFolder &g) { WriteFileBytes(g.path("Data.e5"), junk(20000, 4)); },
         {"Data.e5"}},
        {"short star", [&](const ScopedGameFolder &g) { WriteFileBytes(g.path("star.e5"), junk(700, 5)); },
         {"star.e5이(가) 700바이트로 너무 짧습니다"}},
    };
    for (const Case &c : cases) {
        ScopedGameFolder game;
        c.spoil(game);
        GameData data;
        const GameLoadReport r = gameDataLoad(data, game.folder());
        ASSERT_EQ(r.messages.size(), c.says.size()) << c.name << ": " << r.messages.join(" | ").toStdString();
        for (const QString &s : c.says)
            EXPECT_TRUE(r.messages.join('\n').contains(s)) << c.name << ": " << r.messages.join(" | ").toStdString();
        EXPECT_EQ(data.names.charNames[1024], QStringLiteral("모든 인물"));
    }
}
