// The duel preview window on a synthetic game folder, with a sleeper that
// records the waits instead of waiting: the whole preparation and play, the
// person check, missing and damaged game files, a close request in the
// middle, Escape while the preview runs as the editor runs it, and a click
// during speech.
#include "commands/duel/duel_game_files.h"
#include "commands/duel/duel_preparation.h"
#include "commands/duel/duel_preview_window.h"
#include "core/game/demo_game_folder.h"
#include "core/game/e5_writer.h"
#include "fixtures/duel_fixtures.h"
#include "fixtures/game_folder_builder.h"
#include "platform/prompts.h"
#include "workspace/dialog_registry.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace commands::duel;

namespace {

fixtures::GameFolderOptions withPictures()
{
    fixtures::GameFolderOptions o;
    o.withPictures = true;
    return o;
}

struct Preview
{
    fixtures::ScopedGameFolder folder{withPictures()};
    fixtures::DuelDocument doc;
    workspace::EditContext ctx{doc.tree};
    QHash<QString, QString> settings = fixtures::duelSettings(folder.folder());
    platform::ScriptedPrompts prompts;
    std::vector<std::int64_t> waits;
    std::function<void(DuelPreviewWindow &)> duringWait;
    std::unique_ptr<DuelPreviewWindow> view;

    explicit Preview(const QStringList &records) : doc(records)
    {
        ctx.readSetting = [this](const QString &s, const QString &k) { return settings.value(s + u'/' + k); };
        ctx.prompts = &prompts;
        fixtures::writeDuelUnitArchives(folder.folder());
    }
    void run()
    {
        view = std::make_unique<DuelPreviewWindow>(ctx, [this](std::int64_t w) {
            waits.push_back(w);
            if (duringWait)
                duringWait(*view);
        });
        view->run();
    }
    double ms(std::size_t i) const { return double(waits.at(i)) / 10000.0; }
};

const QStringList kDuel = {
    fixtures::duelStartRecord(1, 2),
    fixtures::duelSpeechRecord(0x60, 1, QByteArray("A"), 0xFFFF),   // fighter 0 enters, stands, speaks
    fixtures::duelSpeechRecord(0x60, 0, QByteArray("B"), 0),        // fighter 1
    QStringLiteral("6500260001004D000000" "26000000"),              // fighter 0 strikes
    QStringLiteral("6400260000004C000200"),                         // fighter 1 goes
    QStringLiteral("620026000100"),                                 // fighter 1 dies
    QStringLiteral("090004000A000000"),                             // one second
};

TEST(DuelPreview, PreparesAndPlaysTheWholeDuel)
{
    Preview p(kDuel);
    p.settings[QStringLiteral("Option/VS_Speed")] = QStringLiteral("2");
    p.run();
    EXPECT_TRUE(p.prompts.messages.isEmpty()) << qPrintable(p.prompts.messages.value(0).text);
    ASSERT_FALSE(p.waits.empty());
    // The pause after loading is not scaled; every later wait is halved.
    EXPECT_EQ(p.ms(0), 1000.0);
    EXPECT_EQ(p.ms(1), 30.0);
    EXPECT_EQ(p.ms(p.waits.size() - 1), 500.0);  // ten tenths at speed 2
    const DuelStage &stage = p.view->stage();
    EXPECT_TRUE(stage.fighters[0].show);
    EXPECT_EQ(stage.fighters[0].active, 1);
    EXPECT_EQ(stage.fighters[1].x, 168 + 96);
    EXPECT_EQ(stage.fighters[1].active, 8);
    EXPECT_FALSE(p.view->loading().cover);
    EXPECT_FALSE(p.view->playing());
    EXPECT_EQ(p.view->result(), int(QDialog::Accepted));
    // Fighter 1 died: his frames are grey.
    const QImage &frame = p.view->pictures().sprite(FrameSet::Waiting, 2);
    bool allGrey = true;
    for (int y = 0; y < frame.height(); y += 7)
        for (int x = 0; x < frame.width(); x += 7) {
            const QRgb c = frame.pixel(x, y);
            allGrey = allGrey && qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
        }
    EXPECT_TRUE(allGrey);
}

TEST(DuelPreview, APersonWithoutANumberStopsBeforeAnythingIsRead)
{
    for (int bad : {0xFFFF, 1028, 0xFFFE}) {
        Preview p({fixtures::duelStartRecord(1, bad), QStringLiteral("6100")});
        p.run();
        ASSERT_EQ(p.prompts.messages.size(), 1);
        EXPECT_EQ(p.prompts.messages[0].text, QStringLiteral("無 로 설정된 인물이 있습니다!"));
        EXPECT_EQ(p.prompts.messages[0].title, QStringLiteral("Error!"));
        EXPECT_TRUE(p.waits.empty());
    }
}

TEST(DuelPreview, MissingOrDamagedGameFilesGiveAMessageNotACrash)
{
    const struct {
        const char *file;
        QByteArray bytes;  // empty: removed
        const char *mentions;
    } cases[] = {
        {"LOGO.e5", {}, "LOGO.e5"},
        {"UNIT_ATK.e5", {}, "UNIT_ATK.e5"},
        {"UNIT_SPC.e5", QByteArray(300, '\x01'), "UNIT_SPC.e5"},
        {"face.e5", QByteArray("short"), "face.e5"},
        {"Ekd5.exe", QByteArray(100, '\0'), "Ekd5.exe"},
        {"Data.e5", QByteArray(290, '\x7F'), "Data.e5"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        Preview p(kDuel);
        const QString path = p.folder.path(QString::fromLatin1(c.file));
        if (c.bytes.isEmpty())
            QFile::remove(path);
        else
            fixtures::WriteFileBytes(path, c.bytes);
        p.run();
        ASSERT_EQ(p.prompts.messages.size(), 1);
        EXPECT_TRUE(p.prompts.messages[0].text.contains(QString::fromLatin1(c.mentions)))
            << p.prompts.messages[0].text.toStdString();
        EXPECT_TRUE(p.waits.empty());
        EXPECT_FALSE(p.view->playing());
    }
}

TEST(DuelPreview, AnEntryTooShortForItsFramesIsReported)
{
    Preview p(kDuel);
    // Unit entry 0 holds only half a sheet.
    fixtures::WriteFileBytes(p.folder.path(QStringLiteral("UNIT_Mov.e5")),
                             core::game::buildE5Archive({core::game::E5StoredEntry::raw(QByteArray(2304 * 5, '\0'))},
                                                        core::game::identityDictionary()));
    p.run();
    ASSERT_EQ(p.prompts.messages.size(), 1);
    EXPECT_TRUE(p.prompts.messages[0].text.contains(QStringLiteral("UNIT_Mov.e5")));
}

TEST(DuelPreview, ClosingStopsThePlayAtOnce)
{
    Preview p(kDuel);
    p.duringWait = [&](DuelPreviewWindow &view) {
        if (p.waits.size() == 3)
            view.close();
    };
    p.view.reset();
    p.run();
    // Nothing waits after the close.
    EXPECT_EQ(p.waits.size(), 3u);
    EXPECT_FALSE(p.view->isVisible());
    EXPECT_FALSE(p.view->playing());
    EXPECT_FALSE(DuelPreviewWindow::anyPlaying());
}

TEST(DuelPreview, ClosingEndsALongDelayInProgress)
{
    // A delay of 16,777,215 tenths of a second: closing must not wait for it.
    QStringList records = kDuel;
    records.append(QStringLiteral("09000400FFFFFF00"));
    Preview p(records);
    DuelPreviewWindow view(p.ctx);
    bool secondRefused = false;
    QTimer::singleShot(1500, &view, [&] {
        EXPECT_TRUE(DuelPreviewWindow::anyPlaying());
        secondRefused = !workspace::DialogRegistry::instance().createTool(workspace::kDuelPreviewTool, p.ctx);
        view.close();
    });
    QElapsedTimer clock;
    clock.start();
    view.run();
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_TRUE(secondRefused);
    EXPECT_FALSE(view.playing());
    EXPECT_FALSE(DuelPreviewWindow::anyPlaying());
}

namespace {

struct EscapeRun {
    bool playingAtEscape = false;
    bool playingAfterEscape = true;  // when exec returned
    bool visibleAfterEscape = true;
    qint64 execMs = 0;
    bool needed = false;  // the fallback close had to end exec
};

// Opens the registered preview and runs it as the editor does, with exec;
// Escape is pressed on it after the loading pause, while a long delay waits.
EscapeRun escapeDuringExec(workspace::EditContext &ctx)
{
    EscapeRun out;
    std::unique_ptr<QDialog> dialog = workspace::DialogRegistry::instance().createTool(workspace::kDuelPreviewTool, ctx);
    if (!dialog) {
        ADD_FAILURE() << "the preview did not open";
        return out;
    }
    QDialog *view = dialog.get();
    QTimer::singleShot(1500, view, [&out, view] {
        out.playingAtEscape = DuelPreviewWindow::anyPlaying();
        QTest::keyClick(view, Qt::Key_Escape);
        // Only so that a failing run ends instead of waiting for days.
        QTimer::singleShot(3000, view, [&out, view] {
            out.needed = true;
            QCloseEvent close;
            QCoreApplication::sendEvent(view, &close);
        });
    });
    QElapsedTimer clock;
    clock.start();
    dialog->setModal(true);
    dialog->exec();
    out.execMs = clock.elapsed();
    out.playingAfterEscape = DuelPreviewWindow::anyPlaying();
    out.visibleAfterEscape = dialog->isVisible();
    return out;
}

} // namespace

TEST(DuelPreview, EscapeStopsThePlayAndTheNextPreviewOpens)
{
    // A delay of 16,777,215 tenths of a second after the speech.
    Preview p({fixtures::duelStartRecord(1, 2), fixtures::duelSpeechRecord(0x60, 1, QByteArray("A"), 0xFFFF),
               QStringLiteral("09000400FFFFFF00")});
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const EscapeRun run = escapeDuringExec(p.ctx);
        EXPECT_TRUE(run.playingAtEscape);
        EXPECT_FALSE(run.playingAfterEscape);
        EXPECT_FALSE(run.visibleAfterEscape);
        EXPECT_FALSE(run.needed);
        EXPECT_LT(run.execMs, 3000);
    }
    EXPECT_TRUE(p.prompts.messages.isEmpty()) << qPrintable(p.prompts.messages.value(0).text);
}

TEST(DuelPreview, AClickOnTheStageSkipsTheSpeechButNotOnAFace)
{
    Preview p({fixtures::duelStartRecord(1, 2)});
    p.run();
    DuelPreviewWindow &view = *p.view;
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_FALSE(view.stage().talkSkip);  // fighter 0's face box
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(300, 200));
    EXPECT_TRUE(view.stage().talkSkip);
}

TEST(DuelPreview, RegisteredAsTheRealPreview)
{
    const auto entry = workspace::DialogRegistry::instance().toolEntry(workspace::kDuelPreviewTool);
    EXPECT_EQ(entry.kind, workspace::DialogKind::Real);
}

TEST(DuelGameFiles, UnitNumbersAndSettingsReadings)
{
    EXPECT_EQ(unitNumber(0, 0, 5, 80), 15);
    EXPECT_EQ(unitNumber(0, 1, 5, 80), 17);
    EXPECT_EQ(unitNumber(7, 0, 5, 80), unitNumber(7, 1, 9, 80));
    EXPECT_EQ(unitNumber(1, 0, 0, 0), 0);
    EXPECT_EQ(unitNumber(32, 0, 0, 0), 93);
    EXPECT_EQ(unitNumber(33, 0, 0, 0), 96);
    EXPECT_EQ(unitNumber(40, 0, 0, 80), 240 + 96 + 7);
    EXPECT_EQ(baseNumber(5), 15);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("1.2.3")), 1.2);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("0.5")), 0.5);
    EXPECT_EQ(hexAddress(QStringLiteral("D2800")), 862208);
    EXPECT_EQ(hexAddress(QStringLiteral("xyz")), 0);
}

TEST(DuelGameFiles, SettingsAsThePreviewReadsThem)
{
    const struct {
        const char *speed;
        double expected;
    } cases[] = {{"2", 2.0}, {"0.5", 0.5}, {"1.2.3", 1.2}, {"", 1.0}, {"0", 1.0}, {"-2", 1.0}, {"abc", 1.0}};
    for (const auto &c : cases) {
        QHash<QString, QString> values = fixtures::duelSettings(QStringLiteral("/g"), QString::fromLatin1(c.speed));
        values[QStringLiteral("Setting/TroopCount")] = QStringLiteral("80");
        const DuelSettings s = readDuelSettings([&](const QString &a, const QString &b) { return values.value(a + u'/' + b); });
        EXPECT_DOUBLE_EQ(s.speed, c.expected) << c.speed;
        EXPECT_EQ(s.unitModelAddress, 0xD2800);
        EXPECT_EQ(s.troopCount, 80);
        EXPECT_EQ(s.folder.exeName, QStringLiteral("Ekd5.exe"));
    }
}

TEST(DuelGameFiles, ModelFaceAndBowTroopFromTheFiles)
{
    fixtures::ScopedGameFolder folder(withPictures());
    DuelFolder f;
    f.folder = folder.folder();
    // Person 10's model is the byte at 0xD2800 + 20 (demo: 10 % 8).
    EXPECT_EQ(*personModel(f, 0xD2800, 10).value, 2);
    EXPECT_EQ(*personFace(f, 10).value, 10);
    // The demo executable's code bytes are not the plain ones, so the six
    // bow types are bows.
    EXPECT_TRUE(*isBowTroop(f, 7).value);
    EXPECT_FALSE(*isBowTroop(f, 5).value);
    // With the plain code bytes only a table byte of 6 makes a bow.
    QByteArray exe = fixtures::ReadFileBytes(folder.path(QStringLiteral("Ekd5.exe")));
    exe.replace(0x4161A, 5, QByteArray::fromHex("8BCB83F906"));
    const quint32 table = 0x400C00 + 0x1000;
    for (int i = 0; i < 4; ++i)
        exe[0x4166E + i] = char((table >> (8 * i)) & 0xFF);
    exe[0x1000 + 9] = 6;
    fixtures::WriteFileBytes(folder.path(QStringLiteral("Ekd5.exe")), exe);
    EXPECT_FALSE(*isBowTroop(f, 7).value);
    EXPECT_TRUE(*isBowTroop(f, 9).value);
}

} // namespace

// The invented game folder the editor starts with plays a duel with the
// settings a first start writes.
TEST(DuelPreview, TheDemoGameFolderPlaysADuel)
{
    QTemporaryDir demo;
    ASSERT_TRUE(core::game::writeDemoGameFolder(demo.path()));
    fixtures::DuelDocument doc(kDuel);
    workspace::EditContext ctx{doc.tree};
    QHash<QString, QString> settings = fixtures::duelSettings(demo.path());
    settings[QStringLiteral("Setting/TroopCount")] = QStringLiteral("80");
    ctx.readSetting = [&](const QString &s, const QString &k) { return settings.value(s + u'/' + k); };
    platform::ScriptedPrompts prompts;
    ctx.prompts = &prompts;
    DuelPreviewWindow view(ctx, [](std::int64_t) {});
    view.run();
    EXPECT_TRUE(prompts.messages.isEmpty()) << qPrintable(prompts.messages.value(0).text);
    EXPECT_EQ(view.result(), int(QDialog::Accepted));
}

