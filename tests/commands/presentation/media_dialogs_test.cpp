// The movie, sound-effect and track dialogs: their lists from the settings
// counts, the values the items stand for, and the listen buttons, with a
// player that records what it is asked to play.
#include "commands/common/engine_test_support.h"
#include "commands/presentation/media_lists.h"
#include "commands/presentation/media_player.h"
#include "fixtures/presentation_fixtures.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using enginetest::CommandNode;
using fixtures::commandRecord;
using namespace commands;

namespace {

QString movie(int v)
{
    return commandRecord(0x22, {{0x1B, 2, v}});
}
QString effect(int v, std::int64_t repeat)
{
    return commandRecord(0x23, {{0x1E, 2, v}, {0x04, 4, repeat}});
}
QString track(int v)
{
    return commandRecord(0x24, {{0x09, 2, v}});
}

struct RecordingPlayer : MediaPlayer {
    QStringList calls;
    void playEffect(const QString &path) override { calls << "effect " + path; }
    void stopEffect() override { calls << "stop effect"; }
    void playMusic(const QString &path) override { calls << "music " + path; }
    void stopMusic() override { calls << "stop music"; }
};

QComboBox *list(QDialog &d, const char *name)
{
    return d.findChild<QComboBox *>(QLatin1String(name));
}

TEST(MediaLists, DefaultCountsGiveTheListedItems)
{
    EXPECT_EQ(media::movieItems(4), (QStringList{"Logo.avi", "Open.avi", "End.avi", "Press.avi"}));
    EXPECT_EQ(media::movieItems(6).mid(4), (QStringList{"영상4", "영상5"}));

    const media::EffectCounts counts{43, 37, 9};
    const QStringList effects = media::effectItems(counts);
    ASSERT_EQ(effects.size(), 89);
    EXPECT_EQ(effects.first(), QStringLiteral("SE00.WAV"));
    EXPECT_EQ(effects[42], QStringLiteral("SE42.WAV"));
    EXPECT_EQ(effects[43], QStringLiteral("SE_M_00.WAV"));
    EXPECT_EQ(effects.last(), QStringLiteral("SE_E_08.WAV"));
    const struct {
        int value;
        std::optional<int> index;
    } cases[] = {{0, 0}, {42, 42}, {43, std::nullopt}, {100, 43}, {136, 79}, {137, std::nullopt},
                 {200, 80}, {205, 85}, {208, 88}, {209, std::nullopt}, {50, std::nullopt}};
    for (const auto &c : cases) {
        EXPECT_EQ(media::effectIndex(c.value, counts), c.index) << c.value;
        if (c.index) {
            EXPECT_EQ(media::effectValue(*c.index, counts), c.value);
        }
    }

    const QStringList tracks = media::trackItems(21);
    ASSERT_EQ(tracks.size(), 22);
    EXPECT_EQ(tracks.first(), QStringLiteral("Track2"));
    EXPECT_EQ(tracks[20], QStringLiteral("Track22"));
    EXPECT_EQ(tracks.last(), QStringLiteral("無"));
}

TEST(MediaLists, MusicListSkipsEmptyLines)
{
    const QString text = QStringLiteral("\r\n\nmp3\\a.mp3\r\n\r\nmp3\\b.mp3\nmp3\\c.mp3");
    EXPECT_EQ(media::musicFileOfTrack(text, 0), QStringLiteral("mp3\\a.mp3"));
    EXPECT_EQ(media::musicFileOfTrack(text, 2), QStringLiteral("mp3\\c.mp3"));
    EXPECT_EQ(media::musicFileOfTrack(text, 3), std::nullopt);
    EXPECT_EQ(media::musicFileOfTrack(QString(), 0), std::nullopt);
}

struct LoadCase {
    const char *what;
    QString record;
    QHash<QString, QString> settings;
    const char *list;
    int count;          // items in the list
    QString current;    // the selected item's text
    int pick;           // -1: leave; else the item chosen before OK
    QString after;      // the record OK leaves
};

TEST(MediaDialogs, ListsFollowTheCountsAndOkWritesTheItemsValue)
{
    const LoadCase cases[] = {
        {"movie default", movie(0), {}, "cbMovie", 4, "Logo.avi", -1, movie(0)},
        {"movie numbered", movie(2), {{"Setting/AVIMax", "6"}}, "cbMovie", 6, "End.avi", 5, movie(5)},
        {"movie beyond the count is kept", movie(9), {}, "cbMovie", 5, "영상9", -1, movie(9)},
        {"effect third group", effect(205, 3), {}, "cbMusic", 89, "SE_E_05.WAV", -1, effect(205, 3)},
        {"effect first of the second group", effect(0, 0), {}, "cbMusic", 89, "SE00.WAV", 43, effect(100, 0)},
        {"effect last of the third group", effect(0, 0), {}, "cbMusic", 89, "SE00.WAV", 88, effect(208, 0)},
        {"effect beyond its group is kept", effect(50, 1), {}, "cbMusic", 90, "SE50.WAV", -1, effect(50, 1)},
        {"effect with a small count", effect(101, 1), {{"Setting/SE_Max", "2"}, {"Setting/SEM_Max", "3"}},
         "cbMusic", 14, "SE_M_01.WAV", 2, effect(100, 1)},
        {"track first", track(0), {}, "cbTrack", 22, "Track2", -1, track(0)},
        {"track none", track(0), {}, "cbTrack", 22, "Track2", 21, track(255)},
        {"track beyond the count is kept", track(30), {}, "cbTrack", 23, "Track32", -1, track(30)},
        {"track beyond the count, then chosen", track(187), {}, "cbTrack", 23, "Track189", 3, track(3)},
        {"track none as stored", track(255), {}, "cbTrack", 22, "無", -1, track(255)},
        {"track with a fractional count", track(3), {{"Setting/TrackMax", "3.6"}}, "cbTrack", 5, "Track5", -1,
         track(3)},
    };
    for (const LoadCase &c : cases) {
        SCOPED_TRACE(c.what);
        CommandNode cmd(c.record);
        cmd.settings = c.settings;
        cmd.edit([&](QDialog &d) {
            QComboBox *box = list(d, c.list);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->count(), c.count);
            EXPECT_EQ(box->currentText(), c.current);
            if (c.pick >= 0)
                box->setCurrentIndex(c.pick);
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(cmd.record(), c.after);
        EXPECT_EQ(cmd.records, c.after != c.record ? 1 : 0);
        EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    }
}

TEST(MediaDialogs, RepeatCountLoadsAndWrites)
{
    const struct {
        std::int64_t stored;
        const char *shown;
        const char *typed;  // nullptr: leave
        std::int64_t written;
    } cases[] = {{0, "0", nullptr, 0}, {-1, "-1", nullptr, -1}, {7, "7", "", 0}, {7, "7", "123456", 123456}};
    for (const auto &c : cases) {
        CommandNode cmd(effect(3, c.stored));
        cmd.edit([&](QDialog &d) {
            auto *box = d.findChild<QLineEdit *>("tNum");
            EXPECT_EQ(box->text(), QString::fromLatin1(c.shown));
            if (c.typed)
                box->setText(QString::fromLatin1(c.typed));
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(cmd.record(), effect(3, c.written)) << c.stored;
    }
}

TEST(MediaDialogs, CancelChangesNothing)
{
    for (const QString &record : {movie(1), effect(205, 2), track(4)}) {
        CommandNode cmd(record);
        const QString key = cmd.key(), caption = cmd.text();
        EXPECT_FALSE(cmd.edit([](QDialog &d) {
            for (QComboBox *box : d.findChildren<QComboBox *>())
                box->setCurrentIndex(0);
            enginetest::click(d, "cCancel");
        }));
        EXPECT_EQ(cmd.key(), key);
        EXPECT_EQ(cmd.text(), caption);
    }
}

TEST(MediaDialogs, ListeningToAnEffectPlaysItsFileAndCancelStopsIt)
{
    RecordingPlayer player;
    ScopedMediaPlayer scoped(player);
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Wav")));
    CommandNode cmd(effect(101, 1));
    cmd.settings.insert(QStringLiteral("Folder/Path"), folder.path());
    cmd.edit([&](QDialog &d) {
        enginetest::click(d, "cListen");
        list(d, "cbMusic")->setCurrentIndex(0);
        enginetest::click(d, "cListen");
        enginetest::click(d, "cCancel");
    });
    EXPECT_EQ(player.calls, (QStringList{"effect " + folder.path() + "/Wav/SE_M_01.WAV",
                                         "effect " + folder.path() + "/Wav/SE00.WAV", "stop effect"}));

    player.calls.clear();
    CommandNode esc(effect(1, 1));
    esc.edit([](QDialog &d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(player.calls, QStringList{"stop effect"});

    // OK leaves a playing effect alone.
    player.calls.clear();
    CommandNode ok(effect(1, 1));
    ok.edit([](QDialog &d) { enginetest::click(d, "cConfig"); });
    EXPECT_TRUE(player.calls.isEmpty());
}

TEST(MediaDialogs, ListeningToATrackPlaysTheFileTheMusicListNames)
{
    RecordingPlayer player;
    ScopedMediaPlayer scoped(player);
    QTemporaryDir folder;
    {
        QFile list(folder.filePath(QStringLiteral("mp3list.txt")));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("\r\nmp3/one.mp3\r\n\r\nmp3/two.mp3\r\n");
    }
    CommandNode cmd(track(1));
    cmd.settings.insert(QStringLiteral("Folder/Path"), folder.path());
    cmd.settings.insert(QStringLiteral("Setting/TrackMax"), QStringLiteral("2"));
    cmd.edit([&](QDialog &d) {
        EXPECT_TRUE(player.calls.isEmpty());  // loading sends nothing
        enginetest::click(d, "cListen");
        list(d, "cbTrack")->setCurrentIndex(0);
        enginetest::click(d, "cListen");
        list(d, "cbTrack")->setCurrentIndex(2);  // "無": the list has no line for it
        enginetest::click(d, "cListen");
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(player.calls, (QStringList{"music " + folder.path() + "/mp3/two.mp3", "stop music",
                                         "music " + folder.path() + "/mp3/one.mp3", "stop music"}));
    EXPECT_EQ(cmd.record(), track(255));

    // No music list: nothing plays, the dialog stays as it was.
    player.calls.clear();
    CommandNode missing(track(0));
    missing.settings.insert(QStringLiteral("Folder/Path"), folder.path() + QStringLiteral("/nowhere"));
    missing.edit([](QDialog &d) {
        enginetest::click(d, "cListen");
        EXPECT_TRUE(d.isVisible());
        enginetest::click(d, "cCancel");
    });
    EXPECT_TRUE(player.calls.isEmpty());
}

} // namespace
