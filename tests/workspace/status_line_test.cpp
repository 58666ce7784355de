// The status line: a long key is cut short to the bar's width instead of
// widening the window, and a tab switch shows the selection of the tab that
// comes to the front.
#include "edit_window_fixture.h"
#include "workspace/elided_label.h"
#include "workspace/menus.h"

#include <QAction>
#include <QStatusBar>
#include <QTabWidget>

using namespace edit_window;
using core::NodeId;

namespace {

using StatusLine = EditWindow;

// A comment whose text runs to 300 characters: a key of more than 600.
QByteArray longComment() { return fixtures::hexBytes("02 00 05 00") + QByteArray(300, 'x') + QByteArray(1, '\0'); }

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

TEST_F(StatusLine, ALongKeyIsCutShortAndTheWindowKeepsItsWidth)
{
    ASSERT_TRUE(openBytes("long.eex", eexFile({{lockedComment(), A + longComment() + B}})));
    settle();
    const int width = w.width();
    const NodeId n = byRecord(longComment());
    ASSERT_NE(n, core::kNoNode);
    const QString key = tree().key(n);
    ASSERT_GT(key.size(), 600);

    click(n);
    settle();
    EXPECT_EQ(w.statusText(), key);
    EXPECT_EQ(w.width(), width);
    EXPECT_LE(w.minimumSizeHint().width(), width);
    EXPECT_LE(w.statusBar()->minimumSizeHint().width(), width);
    auto *label = w.statusBar()->findChild<workspace::ElidedLabel *>("SBText");
    ASSERT_NE(label, nullptr);
    const QString shown = label->shownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(key.startsWith(shown.chopped(1)));
    EXPECT_LE(label->width(), width);

    // A short text shows whole.
    click(byRecord(A));
    settle();
    EXPECT_EQ(label->shownText(), tree().key(byRecord(A)));
}

TEST_F(StatusLine, ATabSwitchShowsTheSelectionOfTheTabInFront)
{
    click(byRecord(C));
    const QString first = tree().key(byRecord(C));
    ASSERT_EQ(w.statusText(), first);

    // A new tab has only its root chosen: the help text.
    ASSERT_TRUE(openBytes("b.eex", sample()));
    ASSERT_EQ(docs->currentTab(), 1);
    EXPECT_EQ(w.statusText(), workspace::defaultStatusText());
    click(byRecord(A));
    const QString second = tree().key(byRecord(A));
    ASSERT_NE(second, first);
    ASSERT_EQ(w.statusText(), second);

    w.tabStrip()->setCurrentIndex(0);
    EXPECT_EQ(w.statusText(), first);
    w.tabStrip()->setCurrentIndex(1);
    EXPECT_EQ(w.statusText(), second);
}

} // namespace

namespace {

// The menu's words of "폴더 설정" as the menu shows them: its text without
// the key marker "&".
QString shownFolderItem(const workspace::MainWindow &w)
{
    return w.actions().gameFolder->text().remove(u'&');
}

} // namespace

// While the invented game is in use the help text says so first, names the
// menu item that chooses the real game as the menu shows it (no "(&F)"), and
// shows whole at the window's default width.
TEST(StatusLineHelp, TheDemoGameNoteNamesTheMenuWordsAndShowsWholeAtTheDefaultWidth)
{
    workspace::MainWindow w;
    w.show();
    const QString demo = QStringLiteral("/nowhere/demo-game");
    w.gameData().folder = demo;
    w.setDemoGameFolder(demo);
    ASSERT_TRUE(w.demoGameInUse());
    settle();

    const QString help = w.statusText();
    EXPECT_EQ(help, w.helpText());
    EXPECT_FALSE(help.contains(QStringLiteral("(&"))) << help.toStdString();
    EXPECT_EQ(shownFolderItem(w), QStringLiteral("폴더 설정 (F)"));
    EXPECT_TRUE(help.contains(QStringLiteral("파일 메뉴의 \"") + shownFolderItem(w) + u'"')) << help.toStdString();
    EXPECT_TRUE(help.endsWith(workspace::defaultStatusText()));

    // The note, up to the bar before the usual help, shows whole.
    const QString note = help.left(help.indexOf(QStringLiteral("   |")));
    ASSERT_TRUE(note.endsWith(QStringLiteral("고르십시오."))) << note.toStdString();
    auto *label = w.statusBar()->findChild<workspace::ElidedLabel *>("SBText");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(w.size(), QSize(800, 600));
    EXPECT_TRUE(label->shownText().startsWith(note)) << label->shownText().toStdString();

    // The real game chosen: the plain help text again.
    w.gameData().folder = QStringLiteral("/nowhere/game");
    w.refreshHelpText();
    EXPECT_EQ(w.statusText(), workspace::defaultStatusText());
}
