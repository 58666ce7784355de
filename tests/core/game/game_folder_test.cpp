#include "core/game/demo_game_folder.h"
#include "core/game/game_files.h"
#include "core/game/game_folder.h"
#include "core/settings.h"
#include "fixtures/game_folder_builder.h"
#include "platform/profile_file.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace core::game;
using namespace fixtures;

namespace {
struct FakePrompt : FolderPrompt
{
    QStringList answers; // one per browse; "" cancels
    QStringList titles;
    QStringList criticals;
    QString browseForFolder(const QString &title) override
    {
        titles << title;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    void showCritical(const QString &title, const QString &text) override { criticals << title + "|" + text; }
};
} // namespace

TEST(FolderCheck, StoredFolderWithTrailingBlankIsLoadedWithoutAsking)
{
    ScopedGameFolder game;
    core::writeINI("Folder", "Path", game.folder() + "  ");
    FakePrompt prompt;
    GameData data;
    EXPECT_TRUE(folderCheck(data, prompt).ok());
    EXPECT_TRUE(prompt.titles.isEmpty());
    EXPECT_EQ(data.folder, game.folder());
    EXPECT_EQ(folderLoad(), game.folder());
    EXPECT_EQ(data.names.charNames[0], demoPersonName(0));
}

TEST(FolderCheck, MissingFolderIsReportedThenAskedFor)
{
    ScopedGameFolder game;
    core::writeINI("Folder", "Path", game.folder() + "/gone");
    FakePrompt prompt;
    prompt.answers << game.folder();
    GameData data;
    folderCheck(data, prompt);
    EXPECT_EQ(prompt.criticals, QStringList({"Error!|설정하신 폴더가 존재하지 않습니다."}));
    EXPECT_EQ(prompt.titles, QStringList({"한빛록 폴더를 선택하세요."}));
    EXPECT_EQ(folderLoad(), game.folder());
    EXPECT_EQ(data.names.itemNames[0], demoItemName(0));
}

TEST(Folder, CancelWithNoFolderEverChosenEmptiesTheGameNamesOnly)
{
    ScopedGameFolder game;
    core::writeINI("Folder", "Path", "");
    FakePrompt prompt;
    GameData data;
    data.names.weaponNames = QStringList({"kept"});
    folderCheck(data, prompt);
    EXPECT_EQ(prompt.titles.size(), 1);
    EXPECT_EQ(data.names.charNames.size(), 5124);
    EXPECT_EQ(data.names.charNames[0], QString());
    EXPECT_EQ(data.names.charNames[1023], QString());
    // The group words and variable persons are the editor's own names.
    EXPECT_EQ(data.names.charNames[1024], QStringLiteral("모든 인물"));
    EXPECT_EQ(data.names.charNames[1026], QStringLiteral("적군"));
    EXPECT_EQ(data.names.charNames[1027], QStringLiteral("아군직면인물"));
    EXPECT_EQ(data.names.charNames[1028], QStringLiteral("*0"));
    EXPECT_EQ(data.names.charNames[5123], QStringLiteral("*4095"));
    EXPECT_EQ(data.names.itemNames, QStringList(116));
    EXPECT_EQ(data.names.weaponNames, QStringList({"kept"})); // equipment lists stay
    EXPECT_EQ(folderLoad(), QString());
}

TEST(Folder, ChoosingWritesPathKeyAndReloadsWithoutStaleNames)
{
    ScopedGameFolder game;
    GameFolderOptions other;
    other.withStar = false;
    other.withExe = false;
    const QString second = game.makeSecondFolder(other);
    FakePrompt prompt;
    GameData data;
    folderCheck(data, prompt);
    ASSERT_EQ(data.names.itemNames[110], demoItemName(110));
    prompt.answers << second;
    EXPECT_TRUE(folder(data, prompt).ok());
    EXPECT_EQ(folderLoad(), second);
    EXPECT_EQ(data.names.itemNames[110], QString());
    EXPECT_EQ(data.names.troopNames[0], QString());
    // The same folder again: one "Path" entry, rewritten.
    prompt.answers << second;
    folder(data, prompt);
    const QByteArray ini = ReadFileBytes(game.iniPath());
    EXPECT_EQ(ini.count("Path"), 1);
}

TEST(Folder, FailedSettingsWriteIsReportedAndTheChoiceStillLoads)
{
    ScopedGameFolder game;
    FakePrompt prompt;
    GameData data;
    folderCheck(data, prompt);
    GameFolderOptions noStar;
    noStar.withStar = false;
    const QString second = game.makeSecondFolder(noStar);
    // A settings path inside a missing folder cannot be written.
    const QString oldIni = core::iniPath();
    core::setIniPath(game.folder() + "/no/such/dir/Q_T.ini");
    prompt.answers << second;
    const GameLoadReport r = folder(data, prompt);
    core::setIniPath(oldIni);
    ASSERT_EQ(r.messages.size(), 1);
    EXPECT_EQ(data.folder, second);
    EXPECT_EQ(data.names.itemNames[110], QString()) << "loaded from the chosen folder, not the stored one";
}
