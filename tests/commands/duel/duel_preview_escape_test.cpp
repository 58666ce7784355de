// Escape on the duel preview, pressed while the dialog runs as the editor
// runs it (exec): the play stops at once, exec returns, and the next preview
// opens and plays.
#include "commands/duel/duel_preview_window.h"
#include "fixtures/duel_fixtures.h"
#include "fixtures/game_folder_builder.h"
#include "platform/prompts.h"
#include "workspace/dialog_registry.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace commands::duel;

namespace {

fixtures::GameFolderOptions withPictures()
{
    fixtures::GameFolderOptions o;
    o.withPictures = true;
    return o;
}

// A duel that ends in a delay of 16,777,215 tenths of a second.
const QStringList kLongDuel = {
    fixtures::duelStartRecord(1, 2),
    fixtures::duelSpeechRecord(0x60, 1, QByteArray("A"), 0xFFFF),
    QStringLiteral("09000400FFFFFF00"),
};

struct EscapeRun {
    bool playingAtEscape = false;
    bool playingAfterEscape = true;  // when exec returned
    bool visibleAfterEscape = true;
    qint64 execMs = 0;
    bool needed = false;  // the fallback close had to end exec
};

// Opens the registered preview and runs it with exec; Escape is pressed on it
// after the loading pause, while the long delay waits.
EscapeRun escapeDuringExec(workspace::EditContext &ctx)
{
    EscapeRun out;
    std::unique_ptr<QDialog> dialog = workspace::DialogRegistry::instance().createTool(workspace::kDuelPreviewTool, ctx);
    if (!dialog) {
        ADD_FAILURE() << "the preview did not open";
        return out;
    }
    QPointer<QDialog> view = dialog.get();
    QTimer::singleShot(1500, dialog.get(), [&] {
        out.playingAtEscape = DuelPreviewWindow::anyPlaying();
        QTest::keyClick(view, Qt::Key_Escape);
        // Only so that a failing run ends instead of waiting for days.
        QTimer::singleShot(3000, view, [&] {
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

TEST(DuelPreviewEscape, EscapeStopsThePlayAndTheNextPreviewOpens)
{
    fixtures::ScopedGameFolder folder{withPictures()};
    fixtures::DuelDocument doc(kLongDuel);
    workspace::EditContext ctx{doc.tree};
    const QHash<QString, QString> settings = fixtures::duelSettings(folder.folder());
    ctx.readSetting = [&](const QString &s, const QString &k) { return settings.value(s + u'/' + k); };
    platform::ScriptedPrompts prompts;
    ctx.prompts = &prompts;
    fixtures::writeDuelUnitArchives(folder.folder());

    for (int round = 0; round < 2; ++round) {
        const EscapeRun run = escapeDuringExec(ctx);
        EXPECT_TRUE(run.playingAtEscape) << "round " << round;
        EXPECT_FALSE(run.playingAfterEscape) << "round " << round;
        EXPECT_FALSE(run.visibleAfterEscape) << "round " << round;
        EXPECT_FALSE(run.needed) << "round " << round;
        EXPECT_LT(run.execMs, 3000) << "round " << round;
        EXPECT_FALSE(DuelPreviewWindow::anyPlaying()) << "round " << round;
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << qPrintable(prompts.messages.value(0).text);
}

} // namespace
