#include "core/catalogue.h"
#include "core/eex_converter.h"
#include "core/eex_reader.h"
#include "core/settings.h"
#include "fixtures/scenario_generator.h"
#include "platform/prompts.h"
#include "workspace/doc_tree_model.h"
#include "workspace/document.h"
#include "workspace/documents.h"
#include "workspace/main_window.h"
#include "workspace/recent_files.h"
#include "workspace/scenario_tree_view.h"
#include "menu_item.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using platform::MsgResult;
using workspace::Document;
using workspace::Documents;
using workspace::MainWindow;

QStringList keysInOrder(const core::DocTree &tree)
{
    QStringList keys;
    for (core::NodeId n = tree.root(); n != core::kNoNode; n = tree.nextInOrder(n))
        keys << tree.key(n);
    return keys;
}

// A Scene table entry far beyond the end of the file.
const QByteArray kDamaged = QByteArray::fromHex("454558000102000000000E000100");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DocumentsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousIni = core::iniPath();
        core::setIniPath(dir.filePath("Q_T.ini"));
        docs = new Documents(w);
    }
    void TearDown() override { core::setIniPath(previousIni); }

    // A well-formed scenario file of the given seed.
    QString writeScenario(const QString &name, std::uint64_t seed = 1)
    {
        fixtures::GeneratorOptions options;
        options.maxScenes = 2;
        options.maxSections = 2;
        fixtures::ScenarioGenerator gen(seed, options);
        return writeBytes(name, fixtures::scenarioBytes(gen.scenario()));
    }
    QString writeBytes(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < docs->tabCount(); ++i)
            out << w.tabStrip()->tabText(i);
        return out;
    }

    QTemporaryDir dir;
    QString previousIni;
    platform::ScriptedPrompts prompts;
    MainWindow w;
    Documents *docs = nullptr;
};

TEST_F(DocumentsTest, FirstStartMakesAnUntitledScenarioAndSerialsGoOnAcrossTabs)
{
    EXPECT_EQ(Documents::of(w), docs);
    w.firstActivation();
    ASSERT_EQ(docs->tabCount(), 1);
    EXPECT_TRUE(w.inDocumentState());
    Document *first = docs->current();
    EXPECT_EQ(keysInOrder(first->tree()),
              QStringList({"Path", "Scene_0_", "Section_0_", "0200050000_0000221", "0000_2_00", "0000_002"}));
    EXPECT_EQ(first->tree().text(first->tree().root()), "Scenario");
    EXPECT_EQ(first->path(), "NewFile");
    EXPECT_EQ(w.tabStrip()->tabText(0), "Scenario");
    EXPECT_EQ(first->tree().text(first->tree().find("0000_002")), core::menuName(0));
    EXPECT_EQ(first->view()->selectedNode(), first->tree().root());

    menutest::menuItem(w, "mnuNewEEX")->trigger();
    ASSERT_EQ(docs->tabCount(), 2);
    EXPECT_EQ(docs->currentTab(), 1);
    EXPECT_EQ(keysInOrder(docs->current()->tree()),
              QStringList({"Path", "Scene_0_", "Section_3_", "0200050000_0000224", "0000_5_00", "0000_005"}));
    EXPECT_EQ(docs->keySerial(), 6u);
    EXPECT_EQ(docs->currentTreeIndex(), 2);
}

TEST_F(DocumentsTest, SavingUnchangedGivesIdenticalBytesAndAFailedWriteKeepsEverything)
{
    const QString path = writeScenario("a.eex", 7);
    const QByteArray original = readAll(path);
    ASSERT_TRUE(docs->openFiles({path}));
    EXPECT_EQ(captions(), QStringList({"a.eex"}));
    EXPECT_EQ(docs->current()->tree().text(docs->current()->tree().root()), path);
    ASSERT_TRUE(docs->save());
    EXPECT_EQ(readAll(path), original);

    docs->markTabModified();
    docs->markTabModified();
    EXPECT_EQ(captions(), QStringList({"a.eex *"}));
    docs->setWriteHook([](QIODevice &device, const QByteArray &bytes) {
        device.write(bytes.left(bytes.size() / 2));
        return false;
    });
    EXPECT_FALSE(docs->save());
    EXPECT_EQ(readAll(path), original);
    EXPECT_EQ(captions(), QStringList({"a.eex *"}));
    EXPECT_TRUE(docs->current()->modified());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("저장하지 못했습니다."));
    EXPECT_EQ(prompts.messages[0].title, "Error!");

    docs->setWriteHook({});
    EXPECT_TRUE(docs->save());
    EXPECT_EQ(captions(), QStringList({"a.eex"}));
    EXPECT_FALSE(docs->current()->modified());
}

TEST_F(DocumentsTest, UntitledSaveChangesNameOnlyAfterASuccessfulWrite)
{
    docs->newFile();
    docs->markTabModified();
    const QString target = dir.filePath("new one");
    // Cancelled dialog, then a failing write: nothing changes.
    EXPECT_FALSE(docs->save());
    prompts.saveAnswers = {target};
    docs->setWriteHook([](QIODevice &, const QByteArray &) { return false; });
    EXPECT_FALSE(docs->save());
    Document *d = docs->current();
    EXPECT_EQ(d->path(), "NewFile");
    EXPECT_EQ(d->tree().text(d->tree().root()), "Scenario");
    EXPECT_EQ(captions(), QStringList({"Scenario *"}));
    EXPECT_FALSE(QFile::exists(target + ".eex"));

    docs->setWriteHook({});
    prompts.saveAnswers = {target};
    ASSERT_TRUE(docs->save());
    EXPECT_EQ(prompts.fileRequests.last().filter, "EEX 파일 (*.eex)");
    EXPECT_EQ(d->path(), target + ".eex");
    EXPECT_EQ(d->tree().text(d->tree().root()), target + ".eex");
    EXPECT_EQ(captions(), QStringList({"new one.eex"}));
    const int dialogs = prompts.fileRequests.size();
    ASSERT_TRUE(docs->save()); // no dialog any more
    EXPECT_EQ(prompts.fileRequests.size(), dialogs);

    // The saved file reads back as the same tree shape.
    core::DocTree back;
    core::KeySerial serial = 0;
    EXPECT_TRUE(core::eexLoadFile(target + ".eex", back, serial).ok);
    EXPECT_EQ(back.count(), d->tree().count());

    // Save as proposes the caption without the mark.
    docs->markTabModified();
    prompts.saveAnswers = {dir.filePath("R&D.EEX")};
    ASSERT_TRUE(docs->saveAs());
    EXPECT_EQ(prompts.fileRequests.last().fileName, "new one.eex");
    EXPECT_EQ(d->path(), dir.filePath("R&D.EEX"));
    EXPECT_EQ(captions(), QStringList({"R&&D.EEX"})); // "&" shown literally
}

TEST_F(DocumentsTest, ReadOnlyFilesAskBeforeTheyAreWritten)
{
    const QString path = writeScenario("ro.eex", 3);
    ASSERT_TRUE(docs->openFiles({path}));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    prompts.messageAnswers = {MsgResult::No};
    EXPECT_FALSE(docs->save());
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[0].text, "읽기 전용이므로 저장이 불가능합니다.\r\n읽기 전용 속성을 해제하시겠습니까?");
    EXPECT_EQ(prompts.messages[0].title, "Inforamtion");
    EXPECT_EQ(prompts.messages[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_FALSE(QFile::permissions(path) & QFile::WriteOwner);

    prompts.messages.clear();
    prompts.messageAnswers = {MsgResult::Yes};
    EXPECT_TRUE(docs->save());
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(QFile::permissions(path) & QFile::WriteOwner);
}

TEST_F(DocumentsTest, OpeningStopsAtTheFirstDamagedFile)
{
    const QString good = writeScenario("good.eex", 1);
    const QString damaged = writeBytes("damaged.eex", kDamaged);
    const QString good2 = writeScenario("good2.eex", 2);
    core::DocTree probe;
    core::KeySerial serial = 0;
    const core::EexLoadResult expected = core::eexLoadFile(damaged, probe, serial);
    ASSERT_FALSE(expected.ok);

    prompts.openAnswers = {{good, damaged, good2}};
    menutest::menuItem(w, "mnuOpen")->trigger();
    ASSERT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_EQ(prompts.fileRequests[0].title, "EEX 파일을 열어주세요.");
    EXPECT_EQ(prompts.fileRequests[0].filter, "EEX 파일 (*.eex)");
    EXPECT_EQ(captions(), QStringList({"good.eex"}));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text,
              "EEX 파일 오류！ SeekAdr : " + QString::number(expected.errorOffset, 16).toUpper());
    EXPECT_EQ(prompts.messages[0].title, "Error!");
    EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Critical);
    // The failed file was not remembered and took no tree number.
    EXPECT_EQ(workspace::recentEntries()[0], good);
    EXPECT_EQ(workspace::recentEntries()[1], "");
    docs->newFile();
    EXPECT_EQ(docs->currentTreeIndex(), 2);

    // A damaged first file with nothing open leaves the no-document state.
    MainWindow other;
    auto *otherDocs = new Documents(other);
    other.setDocumentState(true);
    EXPECT_FALSE(otherDocs->openFiles({damaged}));
    EXPECT_EQ(otherDocs->tabCount(), 0);
    EXPECT_FALSE(other.inDocumentState());
}

// A file that does not open says why in Korean and leaves the open tabs,
// their trees and their marks as they were.
TEST_F(DocumentsTest, FilesThatCannotOpenSayWhyAndLeaveTheOtherTabs)
{
    const QString good = writeScenario("good.eex", 1);
    ASSERT_TRUE(docs->openFiles({good}));
    docs->markTabModified();
    ASSERT_TRUE(QDir(dir.path()).mkdir("x.eex"));
    const QString unreadable = dir.filePath("unreadable.eex");
    ASSERT_TRUE(QFile::link("/proc/self/mem", unreadable));
    const QString huge = dir.filePath("huge.eex");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(3LL * 1024 * 1024 * 1024)); // sparse
    }
    const std::vector<std::pair<QString, QString>> cases = {
        {dir.filePath("x.eex"), "파일이 아니라 폴더"},
        {unreadable, "파일을 읽을 수 없습니다."},
        {huge, "3.0 GB (3,221,225,472바이트)로 너무 커서 열지 않았습니다."},
        {dir.filePath("gone.eex"), "존재하지 않는 파일입니다!"},
    };
    for (const auto &[path, says] : cases) {
        prompts.messages.clear();
        EXPECT_FALSE(docs->openFiles({path}));
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].text.startsWith(path)) << prompts.messages[0].text.toStdString();
        EXPECT_TRUE(prompts.messages[0].text.contains(says)) << prompts.messages[0].text.toStdString();
        EXPECT_EQ(prompts.messages[0].title, "Error!");
        EXPECT_EQ(captions(), QStringList({"good.eex *"}));
    }
    EXPECT_TRUE(docs->current()->modified());
    EXPECT_EQ(workspace::recentEntries()[1], "");
}

// Files handed over together: a damaged one is reported and the others open.
TEST_F(DocumentsTest, ADamagedHandOverKeepsTheFilesHandedOverWithItFromOpening)
{
    const QString damaged = writeBytes("damaged.eex", kDamaged);
    const QString good = writeScenario("good.eex", 4);
    w.queueHandOver({damaged});
    w.queueHandOver({good});
    w.openHandOvers();
    EXPECT_EQ(captions(), QStringList({"good.eex"}));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("EEX 파일 오류！ SeekAdr : "));
}

TEST_F(DocumentsTest, JunkAfterTheLastSceneIsWarnedAtOpen)
{
    fixtures::GeneratorOptions options;
    options.maxScenes = 2;
    const QByteArray scenario = fixtures::scenarioBytes(fixtures::ScenarioGenerator(3, options).scenario());
    const QString path = writeBytes("junk.eex", scenario + QByteArray(300 * 1024, '\x7F'));
    ASSERT_TRUE(docs->openFiles({path}));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].title, "Warning!");
    EXPECT_TRUE(prompts.messages[0].text.contains("마지막 Scene 뒤에 307,200바이트가 더 있습니다. 저장하면 이 바이트는 빠집니다."))
        << prompts.messages[0].text.toStdString();
    EXPECT_EQ(captions(), QStringList({"junk.eex"}));
}

TEST_F(DocumentsTest, ExtensionFilterAndAnOpenPathOnlySelectsItsTab)
{
    const QString a = writeScenario("a.eex", 1);
    const QString b = writeScenario("B.EEX", 2);
    const QString txt = writeBytes("notes.txt", "x");
    ASSERT_TRUE(docs->openFiles({a, txt, b}));
    EXPECT_EQ(captions(), QStringList({"a.eex", "B.EEX"}));
    ASSERT_TRUE(docs->openFiles({a}));
    EXPECT_EQ(docs->tabCount(), 2);
    EXPECT_EQ(docs->currentTab(), 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(DocumentsTest, RecentListKeepsTheLastFiveAndReopeningMovesToTheTop)
{
    QStringList paths;
    for (int i = 1; i <= 6; ++i)
        paths << writeScenario(QString("f%1.eex").arg(i), i);
    for (const QString &p : paths)
        ASSERT_TRUE(docs->openFiles({p}));
    EXPECT_EQ(workspace::recentEntries(), QStringList({paths[5], paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_EQ(menutest::menuItem(w, "mnu5")->text(), "5. " + paths[1]);

    // Entry 3 is open: only its tab is selected, the list stays.
    menutest::menuItem(w, "mnu3")->trigger();
    EXPECT_EQ(docs->current()->path(), paths[3]);
    // Closed, it opens again and goes to the top.
    docs->closeTab();
    const int tabs = docs->tabCount();
    menutest::menuItem(w, "mnu3")->trigger();
    EXPECT_EQ(docs->tabCount(), tabs + 1);
    EXPECT_EQ(docs->current()->path(), paths[3]);
    EXPECT_EQ(workspace::recentEntries(), QStringList({paths[3], paths[5], paths[4], paths[2], paths[1]}));
    EXPECT_EQ(menutest::menuItem(w, "mnu1")->text(), "1. " + paths[3]);

    // A vanished file: a message, the entry stays.
    QFile::remove(paths[1]);
    menutest::menuItem(w, "mnu5")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "존재하지 않는 파일입니다!");
    EXPECT_EQ(prompts.messages[0].title, "Not Found!");
    EXPECT_EQ(workspace::recentEntries()[4], paths[1]);
}

TEST_F(DocumentsTest, FilesDroppedOnATreeOpenInDropOrder)
{
    w.firstActivation();
    const QString a = writeScenario("c.eex", 1), b = writeScenario("a.eex", 2), c = writeScenario("b.eex", 3);
    auto *view = docs->currentView();
    w.show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(c)});
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    EXPECT_EQ(captions(), QStringList({"Scenario", "c.eex", "a.eex", "b.eex"}));
    EXPECT_EQ(docs->currentTab(), 3);
}

TEST_F(DocumentsTest, ClosingTheMiddleModifiedTabWithNoKeepsTheOthers)
{
    QStringList paths;
    for (int i = 1; i <= 3; ++i) {
        paths << writeScenario(QString("m%1.eex").arg(i), i);
        ASSERT_TRUE(docs->openFiles({paths.last()}));
        docs->markTabModified();
    }
    Document *first = docs->documentAt(0);
    Document *third = docs->documentAt(2);
    const QStringList thirdKeys = keysInOrder(third->tree());
    const QByteArray secondOnDisk = readAll(paths[1]);
    w.tabStrip()->setCurrentIndex(1);
    prompts.messageAnswers = {MsgResult::No};
    EXPECT_TRUE(docs->closeCurrent());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "m2.eex 를 저장하시겠습니까?");
    EXPECT_EQ(captions(), QStringList({"m1.eex *", "m3.eex *"}));
    EXPECT_EQ(docs->currentTab(), 1);
    EXPECT_EQ(docs->current(), third);
    EXPECT_EQ(docs->documentAt(0), first);
    EXPECT_EQ(first->path(), paths[0]);
    EXPECT_EQ(third->path(), paths[2]);
    EXPECT_TRUE(first->modified());
    EXPECT_TRUE(third->modified());
    EXPECT_EQ(keysInOrder(third->tree()), thirdKeys);
    EXPECT_EQ(&docs->current()->history(), &third->history());
    EXPECT_EQ(readAll(paths[1]), secondOnDisk); // No writes nothing

    // Cancel and a failed save keep the tab.
    prompts.messageAnswers = {MsgResult::Cancel};
    EXPECT_FALSE(docs->closeCurrent());
    docs->setWriteHook([](QIODevice &, const QByteArray &) { return false; });
    prompts.messageAnswers = {MsgResult::Yes};
    EXPECT_FALSE(docs->closeCurrent());
    EXPECT_EQ(docs->tabCount(), 2);

    // The "X" asks too.
    prompts.messages.clear();
    prompts.messageAnswers = {MsgResult::Cancel};
    w.closeButton()->click();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(docs->tabCount(), 2);

    // Close all: No to both, then the no-document state.
    prompts.messageAnswers = {MsgResult::No, MsgResult::No};
    menutest::menuItem(w, "mnuAllClose")->trigger();
    EXPECT_EQ(docs->tabCount(), 0);
    EXPECT_FALSE(w.inDocumentState());
    EXPECT_FALSE(menutest::menuItem(w, "mnuSave")->isEnabled());
    EXPECT_FALSE(menutest::menuItem(w, "mnuedit")->isVisible());

    // Trees given back are taken again oldest first.
    docs->newFile();
    EXPECT_EQ(docs->currentTreeIndex(), 2);
    docs->newFile();
    EXPECT_EQ(docs->currentTreeIndex(), 1);
    docs->newFile();
    EXPECT_EQ(docs->currentTreeIndex(), 3);
}

TEST_F(DocumentsTest, TwentyScenesWithoutSectionsTakeANewSceneInFrontOfEach)
{
    fixtures::GenScenario scenario;
    scenario.scenes.resize(20);
    const QString path = writeBytes("scenes.eex", fixtures::scenarioBytes(scenario));
    ASSERT_TRUE(docs->openFiles({path}));
    core::DocTree &tree = docs->current()->tree();
    ASSERT_EQ(tree.childCount(tree.root()), 20);
    QList<core::NodeId> scenes;
    for (int i = 0; i < 20; ++i)
        scenes << tree.child(tree.root(), i);
    for (core::NodeId scene : scenes) {
        const core::NodeId added = docs->addScene(true, scene, QString());
        ASSERT_NE(added, core::kNoNode) << tree.key(scene).toStdString();
        EXPECT_EQ(tree.next(added), scene);
        EXPECT_EQ(tree.text(added), "Scene");
        EXPECT_EQ(tree.childCount(added), 1);
        docs->markTabModified();
    }
    EXPECT_EQ(tree.childCount(tree.root()), 40);
    ASSERT_TRUE(docs->save());
    core::DocTree back;
    core::KeySerial serial = 0;
    ASSERT_TRUE(core::eexLoadFile(path, back, serial).ok);
    EXPECT_EQ(back.childCount(back.root()), 40);
}

TEST_F(DocumentsTest, ReloadSwapsOnlyAfterASuccessfulRead)
{
    const QString path = writeScenario("r.eex", 5);
    const QByteArray good = readAll(path);
    ASSERT_TRUE(docs->openFiles({path}));
    Document *d = docs->current();
    const QStringList keys = keysInOrder(d->tree());

    // Unmodified: read again without asking, new serials.
    menutest::menuItem(w, "mnufix")->trigger();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(d->tree().count(), keys.size());

    // Modified and answered No: nothing happens.
    docs->markTabModified();
    const QStringList before = keysInOrder(d->tree());
    prompts.messageAnswers = {MsgResult::No};
    docs->reload();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "저장하시지 않고 새로 고침하시겠습니까?");
    EXPECT_EQ(prompts.messages[0].title, "질문");
    EXPECT_EQ(keysInOrder(d->tree()), before);

    // A damaged file on disk: the error, the old tree and mark stay.
    writeBytes("r.eex", kDamaged);
    prompts.messageAnswers = {MsgResult::Yes};
    docs->reload();
    ASSERT_EQ(prompts.messages.size(), 3);
    EXPECT_TRUE(prompts.messages[2].text.startsWith("EEX 파일 오류！ SeekAdr : "));
    EXPECT_EQ(keysInOrder(d->tree()), before);
    EXPECT_EQ(captions(), QStringList({"r.eex *"}));

    writeBytes("r.eex", good);
    prompts.messageAnswers = {MsgResult::Yes};
    docs->reload();
    EXPECT_EQ(captions(), QStringList({"r.eex"}));
    EXPECT_FALSE(d->modified());
    EXPECT_FALSE(d->history().canUndo());
    EXPECT_EQ(d->tree().count(), keys.size());
    EXPECT_EQ(d->view()->model()->rowCount(), 1);

    // An untitled document is not reloaded.
    docs->newFile();
    prompts.messages.clear();
    docs->markTabModified();
    docs->reload();
    EXPECT_TRUE(prompts.messages.isEmpty());
}

class TabMouseTest : public DocumentsTest
{
protected:
    void press(QEvent::Type type, Qt::MouseButton button, int tab)
    {
        QTabBar *bar = w.tabStrip()->tabBar();
        const QPoint at = bar->tabRect(tab).center();
        if (type == QEvent::MouseButtonPress)
            QTest::mousePress(bar, button, {}, at);
        else
            QTest::mouseRelease(bar, button, {}, at);
    }
};

TEST_F(TabMouseTest, RightPressShowsTheTabItemsOfTheFileMenuAndMiddleReleaseCloses)
{
    w.firstActivation(); // the first tab; showing the window does not add another
    docs->newFile();
    docs->newFile();
    w.resize(800, 600);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QStringList shown;
    bool toolbarKept = false;
    docs->setPopupHook([&](QMenu *menu, const QPoint &) {
        for (QAction *a : menu->actions()) {
            if (a->isVisible() && !a->isSeparator())
                shown << a->objectName();
        }
        // The toolbar shares the File items; it keeps every button meanwhile.
        toolbarKept = menutest::menuItem(w, "mnuOpen")->isVisible() && w.toolbar()->widgetForAction(menutest::menuItem(w, "mnuOpen"))->isVisible();
    });
    press(QEvent::MouseButtonPress, Qt::RightButton, 1);
    EXPECT_EQ(docs->currentTab(), 1);
    EXPECT_EQ(shown, QStringList({"mnuNewEEX", "mnuSave", "mnuAnotherSave", "mnuClose", "mnuAllClose", "mnufix"}));
    EXPECT_TRUE(toolbarKept);
    EXPECT_TRUE(menutest::menuItem(w, "mnuOpen")->isVisible());
    EXPECT_TRUE(menutest::menuItem(w, "mnuRecent")->isVisible());

    press(QEvent::MouseButtonPress, Qt::MiddleButton, 0);
    EXPECT_EQ(docs->tabCount(), 3); // the release closes
    press(QEvent::MouseButtonRelease, Qt::MiddleButton, 0);
    EXPECT_EQ(docs->tabCount(), 2);
    EXPECT_EQ(docs->currentTab(), 0);

    menutest::menuItem(w, "mnuRightClick")->setChecked(true);
    shown.clear();
    press(QEvent::MouseButtonPress, Qt::RightButton, 1);
    EXPECT_TRUE(shown.isEmpty());
    press(QEvent::MouseButtonRelease, Qt::RightButton, 1);
    EXPECT_EQ(docs->tabCount(), 1);
}

} // namespace

namespace {

// Save As and Open start in the folder of the document in front; without a
// file of its own, in the game's scenario folder. Never in the program's
// folder, where Enter would save a copy beside the executable.
TEST_F(DocumentsTest, SaveAsAndOpenStartInTheCurrentDocumentsFolder)
{
    const QString game = dir.filePath("game");
    ASSERT_TRUE(QDir(dir.path()).mkpath("game/Rs"));
    core::writeINI("Folder", "Path", game);
    ASSERT_TRUE(QDir(dir.path()).mkpath("work/sub"));
    const QString a = writeScenario("work/a.eex", 1);
    const QString b = writeScenario("work/sub/b.eex", 2);

    // Nothing open yet: the game's scenarios.
    menutest::menuItem(w, "mnuOpen")->trigger();
    ASSERT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_EQ(prompts.fileRequests.last().folder, QDir(game).filePath("Rs"));

    ASSERT_TRUE(docs->openFiles({a, b}));
    ASSERT_EQ(docs->currentTab(), 1);
    struct Step {
        int tab;
        QString folder;
    };
    for (const Step &step : {Step{1, dir.filePath("work/sub")}, Step{0, dir.filePath("work")}}) {
        w.tabStrip()->setCurrentIndex(step.tab);
        menutest::menuItem(w, "mnuOpen")->trigger();
        EXPECT_EQ(prompts.fileRequests.last().folder, step.folder);
        EXPECT_EQ(prompts.fileRequests.last().title, "EEX 파일을 열어주세요.");
        menutest::menuItem(w, "mnuAnotherSave")->trigger();  // cancelled
        EXPECT_EQ(prompts.fileRequests.last().folder, step.folder);
        EXPECT_EQ(prompts.fileRequests.last().fileName, QFileInfo(step.tab ? b : a).fileName());
    }

    // The answer the dialog gives back is where the copy goes.
    prompts.saveAnswers = {dir.filePath("work/copy.eex")};
    ASSERT_TRUE(docs->saveAs());
    EXPECT_EQ(readAll(dir.filePath("work/copy.eex")), readAll(a));

    // An untitled document: the game's scenarios again.
    docs->newFile();
    EXPECT_FALSE(docs->saveAs());
    EXPECT_EQ(prompts.fileRequests.last().folder, QDir(game).filePath("Rs"));
    EXPECT_FALSE(docs->save());
    EXPECT_EQ(prompts.fileRequests.last().folder, QDir(game).filePath("Rs"));
    menutest::menuItem(w, "mnuOpen")->trigger();
    EXPECT_EQ(prompts.fileRequests.last().folder, QDir(game).filePath("Rs"));
}

// A file the converter wrote opens as no tab: the message says it is in the
// extended layout and names the menu item that writes it, as the menu shows it.
TEST_F(DocumentsTest, AConvertedFileIsRefusedNamingTheConvertersMenuItem)
{
    const QString good = writeScenario("good.eex", 1);
    // One Section whose body holds a 0x56.
    const QByteArray plain = QByteArray::fromHex("454558000102000000000E0000000100" "0C00000008005600470003000000");
    const QString converted = writeBytes("converted.eex", core::convertEexBytes(plain).bytes);
    ASSERT_NE(readAll(converted), plain);
    ASSERT_TRUE(docs->openFiles({good}));
    EXPECT_FALSE(docs->openFiles({converted}));
    EXPECT_EQ(captions(), QStringList({"good.eex"}));
    ASSERT_EQ(prompts.messages.size(), 1);
    const QString text = prompts.messages[0].text;
    EXPECT_TRUE(text.startsWith(converted + "\r\n")) << text.toStdString();
    const QString item = menutest::menuItem(w, "mnuConvertExt")->text();
    EXPECT_FALSE(item.contains(u'&'));
    EXPECT_TRUE(text.contains(u'"' + item + u'"')) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("확장 형식이라"))) << text.toStdString();
    EXPECT_EQ(prompts.messages[0].title, "Error!");
    EXPECT_EQ(workspace::recentEntries()[0], good);
}

} // namespace
