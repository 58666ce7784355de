// What a dialog hands on from a list showing a stored value no item stands
// for: the value the placeholder keeps, never the placeholder's position in
// the list.
#include "commands/common/engine_test_support.h"
#include "commands/presentation/media_player.h"
#include "fixtures/battlefield_fixtures.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using enginetest::CommandNode;
using fixtures::battlefieldRecord;

namespace {

QComboBox *list(QDialog &d, const char *name)
{
    auto *box = d.findChild<QComboBox *>(QLatin1String(name));
    EXPECT_TRUE(box) << name;
    return box;
}

// The kinds the battle-map picker is asked to show the edited object as.
std::vector<int> askedKinds(CommandNode &cmd, const std::function<void(QDialog &, const std::function<void()> &)> &act)
{
    std::vector<int> kinds;
    workspace::ScopedMapPickers fake({.battle = [&](workspace::EditContext &, const workspace::BattleMapRequest &r) {
        kinds.push_back(r.objectKind);
        return std::optional<workspace::BattleMapPick>();
    }});
    cmd.edit([&](QDialog &d) {
        act(d, [&] { d.findChild<QPushButton *>(QStringLiteral("cMap1"))->click(); });
        enginetest::click(d, "cCancel");
    });
    return kinds;
}

struct KindCase
{
    const char *what;
    int code;
    int kindPos;
    int stored;      // past the kind list
    int ownItem;     // an item picked afterwards
};

const KindCase kKindCases[] = {
    {"0x21 fire kind 5", 0x21, 33, 5, 0},
    {"0x21 fire kind FFFF", 0x21, 33, 0xFFFF, 1},
    {"0x58 kind past the gates", 0x58, 9, 200, 2},
    {"0x58 kind FFFF", 0x58, 9, 0xFFFF, 0},
};

TEST(PlaceholderValues, MapButtonsHandTheStoredKindToThePicker)
{
    for (const KindCase &c : kKindCases) {
        SCOPED_TRACE(c.what);
        CommandNode cmd(battlefieldRecord(c.code, {{c.kindPos, 2, c.stored}}));
        const std::vector<int> kinds = askedKinds(cmd, [&](QDialog &d, const std::function<void()> &map) {
            QComboBox *things = list(d, "cbThings");
            map();  // the placeholder, as loaded
            things->setCurrentIndex(c.ownItem);
            map();
            things->setCurrentIndex(things->count() - 1);  // the placeholder picked back
            map();
        });
        EXPECT_EQ(kinds, (std::vector<int>{c.stored, c.ownItem, c.stored}));
    }
    // A stored kind with an item of its own is handed on as that item.
    CommandNode cmd(battlefieldRecord(0x58, {{9, 2, 3}}));
    EXPECT_EQ(askedKinds(cmd, [](QDialog &, const std::function<void()> &map) { map(); }), std::vector<int>{3});
}

struct RecordingPlayer : commands::MediaPlayer {
    QStringList music;
    QStringList effects;
    void playEffect(const QString &path) override { effects << path; }
    void stopEffect() override {}
    void playMusic(const QString &path) override { music << path; }
    void stopMusic() override {}
};

TEST(PlaceholderValues, ListeningToAKeptTrackPlaysItsOwnLine)
{
    RecordingPlayer player;
    commands::ScopedMediaPlayer scoped(player);
    QTemporaryDir folder;
    {
        QFile names(folder.filePath(QStringLiteral("mp3list.txt")));
        ASSERT_TRUE(names.open(QIODevice::WriteOnly));
        names.write("t0.mp3\r\nt1.mp3\r\n\r\nt2.mp3\r\nt3.mp3\r\nt4.mp3\r\nt5.mp3\r\n");
    }
    // Two tracks listed ("Track2", "Track3", "無"); track 4 is kept by a
    // placeholder at position 3, and plays line 4 + 1 of the music list.
    for (int track : {4, 5, 1}) {
        SCOPED_TRACE(track);
        player.music.clear();
        CommandNode cmd(battlefieldRecord(0x24, {{9, 2, track}}));
        cmd.settings.insert(QStringLiteral("Folder/Path"), folder.path());
        cmd.settings.insert(QStringLiteral("Setting/TrackMax"), QStringLiteral("2"));
        cmd.edit([&](QDialog &d) {
            enginetest::click(d, "cListen");
            enginetest::click(d, "cCancel");
        });
        EXPECT_EQ(player.music, QStringList{folder.filePath(QStringLiteral("t%1.mp3").arg(track))});
    }
    // "無" is no music: nothing plays, however long the list.
    player.music.clear();
    CommandNode none(battlefieldRecord(0x24, {{9, 2, 255}}));
    none.settings.insert(QStringLiteral("Folder/Path"), folder.path());
    none.settings.insert(QStringLiteral("Setting/TrackMax"), QStringLiteral("2"));
    none.edit([](QDialog &d) {
        enginetest::click(d, "cListen");
        enginetest::click(d, "cCancel");
    });
    EXPECT_TRUE(player.music.isEmpty());
}

// The listen button on a kept effect plays that effect's own file where the
// game folder has one, and nothing otherwise: never the file of the item its
// placeholder's word reads as (300 reads "SE_E_00.WAV", 200's file).
TEST(PlaceholderValues, ListeningToAKeptEffectPlaysItsOwnFileOrNothing)
{
    RecordingPlayer player;
    commands::ScopedMediaPlayer scoped(player);
    struct Case
    {
        int stored;
        QStringList files;   // in the game's "Wav" folder
        const char *played;  // "" for nothing
    };
    const Case cases[] = {
        {300, {QStringLiteral("SE_E_00.WAV")}, ""},
        {300, {QStringLiteral("SE_E_00.WAV"), QStringLiteral("SE_E_100.WAV")}, "SE_E_100.WAV"},
        {50, {QStringLiteral("SE50.WAV")}, "SE50.WAV"},
        {50, {QStringLiteral("SE43.WAV")}, ""},
        {150, {QStringLiteral("SE_M_50.WAV")}, "SE_M_50.WAV"},
        {0xFFFF, {QStringLiteral("SE_E_99.WAV")}, ""},
        // A listed effect plays its item's file, as before.
        {205, {QStringLiteral("SE_E_05.WAV")}, "SE_E_05.WAV"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        QTemporaryDir folder;
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Wav")));
        for (const QString &f : c.files) {
            QFile file(folder.filePath(QStringLiteral("Wav/") + f));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        player.effects.clear();
        CommandNode cmd(battlefieldRecord(0x23, {{9, 2, c.stored}}));
        cmd.settings.insert(QStringLiteral("Folder/Path"), folder.path());
        const QString played = *c.played ? folder.filePath(QStringLiteral("Wav/") + QLatin1String(c.played)) : QString();
        cmd.edit([&](QDialog &d) {
            QComboBox *effects = list(d, "cbMusic");
            enginetest::click(d, "cListen");
            // An own item chosen, then the stored one chosen back.
            const int shown = effects->currentIndex();
            effects->setCurrentIndex(0);
            effects->setCurrentIndex(shown);
            enginetest::click(d, "cListen");
            enginetest::click(d, "cConfig");
        });
        const QStringList expected = played.isEmpty() ? QStringList() : QStringList{played, played};
        EXPECT_EQ(player.effects, expected);
    }
}

} // namespace
