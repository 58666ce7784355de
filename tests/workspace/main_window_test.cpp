#include "core/settings.h"
#include "platform/prompts.h"
#include "platform/single_instance.h"
#include "workspace/main_window.h"
#include "workspace/startup.h"
#include "menu_item.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QUuid>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <future>

namespace {

using workspace::MainWindow;

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousIni = core::iniPath();
        core::setIniPath(dir.filePath("Q_T.ini"));
    }
    void TearDown() override { core::setIniPath(previousIni); }

    static QString option(const char *key) { return core::readINI("Option", key); }

    QTemporaryDir dir;
    QString previousIni;
};

TEST_F(WindowTest, OptionItemsWriteTheirEntriesAtOnce)
{
    MainWindow w;
    menutest::menuItem(w, "mnuRightClick")->trigger();
    EXPECT_EQ(option("RC_TabClose"), "True");
    menutest::menuItem(w, "mnuRightClick")->trigger();
    EXPECT_EQ(option("RC_TabClose"), "False");
    menutest::menuItem(w, "mnuCtrl")->trigger();
    EXPECT_EQ(option("Ctrl_Click"), "False");
    menutest::menuItem(w, "mnuShift")->trigger();
    EXPECT_EQ(option("Shift_Click"), "False");

    menutest::menuItem(w, "mnucharnum")->trigger();
    menutest::menuItem(w, "mnucharname")->trigger();
    EXPECT_EQ(option("Char_Select"), "2");
    EXPECT_FALSE(menutest::menuItem(w, "mnucharlist")->isChecked());
    EXPECT_FALSE(menutest::menuItem(w, "mnucharnum")->isChecked());
    EXPECT_TRUE(menutest::menuItem(w, "mnucharname")->isChecked());

    // The next start shows what was written.
    MainWindow next;
    next.loadOptionMarks();
    const core::OptionMarks marks = next.optionMarks();
    EXPECT_FALSE(marks.rightClickTabClose);
    EXPECT_FALSE(marks.ctrlClick);
    EXPECT_FALSE(marks.shiftClick);
    EXPECT_EQ(marks.charSelect, core::CharSelectMode::Name);
    EXPECT_TRUE(menutest::menuItem(next, "mnucharname")->isChecked());
    EXPECT_FALSE(menutest::menuItem(next, "mnucharlist")->isChecked());
}

TEST_F(WindowTest, RecentItemsFollowTheSettings)
{
    core::writeINI("Recent_Scenario", "1", " /s/one.eex ");
    core::writeINI("Recent_Scenario", "3", "/s/R&D.eex");
    MainWindow w;
    int opened = 0;
    w.hooks().openRecent = [&](int entry) { opened = entry; };
    w.loadRecentItems();
    EXPECT_TRUE(menutest::menuItem(w, "mnuRecent")->isEnabled());
    EXPECT_EQ(menutest::menuItem(w, "mnu1")->text(), "1. /s/one.eex");
    EXPECT_FALSE(menutest::menuItem(w, "mnu2")->isVisible());
    EXPECT_TRUE(menutest::menuItem(w, "mnu3")->isVisible());
    EXPECT_EQ(menutest::menuItem(w, "mnu3")->text(), "3. /s/R&&D.eex");
    EXPECT_TRUE(w.recentUsed(3));
    EXPECT_FALSE(w.recentUsed(2));
    menutest::menuItem(w, "mnu3")->trigger();
    EXPECT_EQ(opened, 3);
}

TEST_F(WindowTest, WithoutDocumentTheEditShortcutsDoNothing)
{
    MainWindow w;
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.firstActivation(); // no documents code yet: no tab opens
    EXPECT_FALSE(w.inDocumentState());
    EXPECT_FALSE(menutest::menuItem(w, "mnuedit")->isVisible());
    EXPECT_FALSE(menutest::menuItem(w, "mnuSearch")->isVisible());
    EXPECT_FALSE(menutest::menuItem(w, "mnuSave")->isEnabled());
    EXPECT_FALSE(w.tabStrip()->isVisible());

    int fired = 0;
    QStringList firedNames;
    for (QAction *a : w.findChildren<QAction *>()) {
        QObject::connect(a, &QAction::triggered, [&, a] {
            ++fired;
            firedNames << a->objectName();
        });
    }
    const QKeyCombination keys[] = {Qt::CTRL | Qt::Key_E, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y,
                                    Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_V, Qt::CTRL | Qt::Key_X,
                                    QKeyCombination(Qt::Key_Delete), Qt::CTRL | Qt::Key_F, Qt::CTRL | Qt::Key_R,
                                    Qt::CTRL | Qt::Key_L, QKeyCombination(Qt::Key_Space)};
    for (const QKeyCombination k : keys)
        QTest::keyClick(&w, k.key(), k.keyboardModifiers());
    EXPECT_EQ(fired, 0) << firedNames.join(',').toStdString();

    // Back in the document state every action has its earlier state again,
    // and the shortcuts reach their actions.
    w.setDocumentState(true);
    EXPECT_TRUE(menutest::menuItem(w, "mnuedit")->isVisible());
    EXPECT_TRUE(menutest::menuItem(w, "mnuEditnodes")->isEnabled());
    EXPECT_FALSE(menutest::menuItem(w, "mnuHistoryCancle")->isEnabled());
    EXPECT_FALSE(menutest::menuItem(w, "mnupaste")->isEnabled());
    QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(firedNames, QStringList({"mnuEditnodes"}));
}

TEST_F(WindowTest, FirstActivationOpensTheCommandLineFilesOrANewScenarioOnce)
{
    MainWindow w;
    QStringList opened;
    int created = 0;
    w.hooks().openFiles = [&](const QStringList &p) { opened += p; };
    w.hooks().newFile = [&] {
        ++created;
        w.tabStrip()->addTab(new QWidget, "Scenario");
    };
    w.show();
    QTest::qWait(20);
    EXPECT_TRUE(w.firstActivationDone());
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(w.inDocumentState());
    w.hide();
    w.show();
    QTest::qWait(20);
    EXPECT_EQ(created, 1);

    MainWindow withFile;
    withFile.hooks().openFiles = [&](const QStringList &p) { opened += p; };
    withFile.setStartupFiles({"/d/a.eex"});
    withFile.firstActivation();
    EXPECT_EQ(opened, QStringList({"/d/a.eex"}));
    EXPECT_TRUE(withFile.pendingHandOvers().isEmpty()); // not handed over to itself
}

TEST_F(WindowTest, HandOversAreQueuedAndWaitForAModalDialog)
{
    MainWindow w;
    QList<QStringList> calls;
    w.hooks().openFiles = [&](const QStringList &p) { calls << p; };
    EXPECT_EQ(w.handOverTimer()->interval(), 100);
    EXPECT_TRUE(w.handOverTimer()->isActive());

    w.queueHandOver({"/d/a.eex"});
    w.queueHandOver({"/d/b.eex"});
    {
        QDialog modal;
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        w.openHandOvers();
        EXPECT_TRUE(calls.isEmpty());
    }
    QTest::qWait(250); // the timer itself
    // Each file opens on its own, so a damaged one keeps no other from opening.
    EXPECT_EQ(calls, QList<QStringList>({{"/d/a.eex"}, {"/d/b.eex"}}));
    w.openHandOvers();
    EXPECT_EQ(calls.size(), 2);
}

TEST_F(WindowTest, HandOversFromTheChannelOpenWithinASecond)
{
    QTemporaryDir folder;
    const QString name = folder.filePath("channel");
    platform::SingleInstance channel(name);
    ASSERT_TRUE(channel.listen());
    MainWindow w;
    w.setHandOverSource(&channel);
    QStringList opened;
    w.hooks().openFiles = [&](const QStringList &p) { opened += p; };
    QElapsedTimer clock;
    clock.start();
    ASSERT_FALSE(platform::SingleInstance::enqueue(name, {"/d/one.eex"}).isEmpty());
    ASSERT_FALSE(platform::SingleInstance::enqueue(name, {"/d/two.eex"}).isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened.size() == 2; }, 3000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(opened, QStringList({"/d/one.eex", "/d/two.eex"}));
    // Opened, so off the queue.
    EXPECT_TRUE(QDir(platform::SingleInstance::queueFolder(name)).entryList(QDir::Files).isEmpty());
}

TEST_F(WindowTest, HandOversWaitingForADialogStayQueued)
{
    QTemporaryDir folder;
    const QString name = folder.filePath("channel");
    platform::SingleInstance channel(name);
    ASSERT_TRUE(channel.listen());
    MainWindow w;
    w.setHandOverSource(&channel);
    QStringList opened;
    w.hooks().openFiles = [&](const QStringList &p) { opened += p; };
    ASSERT_FALSE(platform::SingleInstance::enqueue(name, {"/d/one.eex"}).isEmpty());
    {
        QDialog modal;
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        w.openHandOvers();
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_EQ(QDir(platform::SingleInstance::queueFolder(name)).entryList(QDir::Files).size(), 1);
    }
    w.openHandOvers();
    EXPECT_EQ(opened, QStringList({"/d/one.eex"}));
    EXPECT_TRUE(QDir(platform::SingleInstance::queueFolder(name)).entryList(QDir::Files).isEmpty());
}

class QuitTest : public WindowTest
{
protected:
    void addTabs(MainWindow &w, const QStringList &captions)
    {
        for (const QString &c : captions)
            w.tabStrip()->addTab(new QWidget, c);
        w.setDocumentState(true);
    }
    platform::ScriptedPrompts prompts;
};

TEST_F(QuitTest, AsksForEachModifiedTabInOrderAndCancelKeepsTheWindowOnThatTab)
{
    MainWindow w;
    addTabs(w, {"a.eex *", "b.eex", "c.eex *", "d.eex *"});
    QList<int> saved, cleared;
    w.hooks().saveTab = [&](int t) {
        saved << t;
        return true;
    };
    w.hooks().clearModified = [&](int t) { cleared << t; };
    w.show();
    prompts.messageAnswers = {platform::MsgResult::Yes, platform::MsgResult::Cancel};
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.tabStrip()->currentIndex(), 2);
    EXPECT_EQ(saved, QList<int>({0}));
    EXPECT_EQ(cleared, QList<int>({0}));
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[0].text, "a.eex 를 저장하시겠습니까?");
    EXPECT_EQ(prompts.messages[0].title, "저장여부");
    EXPECT_EQ(prompts.messages[0].buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(prompts.messages[1].text, "c.eex 를 저장하시겠습니까?");
}

TEST_F(QuitTest, FailedSaveKeepsTheWindowOpenAndNoAnswersClose)
{
    MainWindow w;
    addTabs(w, {"a.eex *", "b.eex *"});
    w.hooks().saveTab = [](int) { return false; };
    w.show();
    prompts.messageAnswers = {platform::MsgResult::No, platform::MsgResult::Yes};
    EXPECT_FALSE(w.close());
    EXPECT_EQ(w.tabStrip()->currentIndex(), 1);

    // The exit item asks the same questions.
    prompts.messages.clear();
    prompts.messageAnswers = {platform::MsgResult::No, platform::MsgResult::No};
    menutest::menuItem(w, "mnuexit")->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(prompts.messages.size(), 2);
}

TEST_F(QuitTest, UnmodifiedTabsCloseWithoutAQuestion)
{
    MainWindow w;
    addTabs(w, {"a.eex", "Scenario"});
    w.show();
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(WindowTest, CloseButtonClosesOnlyWhenATabExists)
{
    MainWindow w;
    int closes = 0;
    w.hooks().closeSelectedTab = [&] { ++closes; };
    w.closeButton()->click();
    EXPECT_EQ(closes, 0);
    w.tabStrip()->addTab(new QWidget, "a.eex");
    w.closeButton()->click();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(w.closeButton()->text(), "X");
}

TEST_F(WindowTest, CloseButtonSitsAtTheRightEndOfTheTabRow)
{
    MainWindow w;
    w.tabStrip()->addTab(new QTreeView, "a.eex");
    w.setDocumentState(true);
    for (const int width : {500, 900}) {
        w.resize(width, 400);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QApplication::processEvents();
        const QRect strip(w.tabStrip()->mapTo(&w, QPoint(0, 0)), w.tabStrip()->size());
        const QRect button(w.closeButton()->mapTo(&w, QPoint(0, 0)), w.closeButton()->size());
        const QRect tabRow(w.tabStrip()->tabBar()->mapTo(&w, QPoint(0, 0)), w.tabStrip()->tabBar()->size());
        EXPECT_LE(strip.right() - button.right(), 8) << width;
        EXPECT_GE(button.top(), tabRow.top()) << width;
        EXPECT_LE(button.bottom(), tabRow.bottom()) << width;
    }
}

TEST_F(WindowTest, TheTreeFillsTheSpaceBetweenTabRowAndStatusBarInAllBarStates)
{
    MainWindow w;
    auto *tree = new QTreeView;
    w.tabStrip()->addTab(tree, "a.eex");
    w.setDocumentState(true);
    w.resize(700, 500);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (const bool toolbar : {true, false}) {
        for (const bool status : {true, false}) {
            menutest::menuItem(w, "mnuTool")->setChecked(toolbar);
            menutest::menuItem(w, "mnuStatusBar")->setChecked(status);
            QTest::qWait(10);
            SCOPED_TRACE(testing::Message() << "toolbar " << toolbar << " status " << status);
            EXPECT_EQ(w.toolbar()->isVisible(), toolbar);
            EXPECT_EQ(w.statusBar()->isVisible(), status);
            const QRect treeRect(tree->mapTo(&w, QPoint(0, 0)), tree->size());
            const int above = toolbar ? w.toolbar()->geometry().bottom() : w.menuBar()->geometry().bottom();
            const int below = status ? w.statusBar()->geometry().top() : w.height();
            const int tabRow = w.tabStrip()->findChild<QTabBar *>()->height();
            EXPECT_NEAR(treeRect.top(), above + tabRow, 8);
            EXPECT_NEAR(treeRect.bottom() + 1, below, 6);
            EXPECT_NEAR(treeRect.width(), w.width(), 8);
        }
    }
}

TEST(Startup, WritesTheSettingsOnceShowsThePatchItemAndLoadsMarks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString previous = core::iniPath();
    workspace::StartupConfig config;
    config.programPath = dir.filePath("storyloom");
    config.iniPath = dir.filePath("Q_T.ini");
    config.instanceName = "storyloom-test-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
    config.registerAssociation = false;
    QStringList order;
    workspace::StartupHooks hooks;
    hooks.windowCreated = [&](MainWindow &) { order << "window"; };
    hooks.troopCount = [&](int n) { order << QString("troops %1").arg(n); };
    hooks.folderCheck = [&](MainWindow &, const QString &) {
        order << (QFile::exists(dir.filePath("Q_T.ini")) ? "folder after settings" : "folder before settings");
    };
    QByteArray first;
    {
        workspace::Startup startup(config, hooks);
        ASSERT_TRUE(startup.prepare());
        MainWindow *w = startup.showWindow();
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(menutest::menuItem(*w, "mnuA")->isVisible());
        EXPECT_TRUE(menutest::menuItem(*w, "mnucharlist")->isChecked());
        EXPECT_TRUE(startup.instance()->isListening());
        QFile f(dir.filePath("Q_T.ini"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        first = f.readAll();
    }
    EXPECT_EQ(order, QStringList({"window", "troops 80", "folder after settings"}));
    {
        workspace::Startup again(config, hooks);
        ASSERT_TRUE(again.prepare());
        again.showWindow();
    }
    QFile f(dir.filePath("Q_T.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), first);
    core::setIniPath(previous);
}

TEST(Startup, FilesBecomeAbsolute)
{
    EXPECT_EQ(workspace::absoluteFilePaths({"a.eex", "../b/c.eex", "/abs.eex", ""}, "/w/x"),
              QStringList({"/w/x/a.eex", "/w/b/c.eex", "/abs.eex"}));
}

} // namespace

namespace {

QStringList queuedEntries(const QString &name)
{
    return QDir(platform::SingleInstance::queueFolder(name)).entryList(QDir::Files);
}

workspace::StartupConfig configWithFile(const QString &channel)
{
    workspace::StartupConfig config;
    config.programPath = "/nowhere/storyloom";
    config.arguments = {"/d/a.eex"};
    config.instanceName = channel;
    config.registerAssociation = false;
    return config;
}

} // namespace

// The first copy opens its own files at its first activation and queues
// nothing for itself (a damaged file would otherwise be reported twice); a
// later copy with files leaves them queued for the first and ends.
TEST(Startup, TheFirstCopyKeepsItsFilesAndALaterOneQueuesThem)
{
    QTemporaryDir folder;
    const QString channel = folder.filePath("channel");
    workspace::Startup first(configWithFile(channel), {});
    ASSERT_TRUE(first.prepare());
    EXPECT_TRUE(first.instance()->isListening());
    EXPECT_TRUE(queuedEntries(channel).isEmpty());
    EXPECT_EQ(first.files(), QStringList({"/d/a.eex"}));

    workspace::Startup second(configWithFile(channel), {});
    EXPECT_FALSE(second.prepare());
    EXPECT_EQ(queuedEntries(channel).size(), 1);
    EXPECT_EQ(first.instance()->takePending(), QStringList({"/d/a.eex"}));
}
