// One file, one tab: a path that names an open file under another spelling
// (a symbolic link, a hard link, "sub/../a.eex") selects that file's tab by
// every road a path comes in, and a save under a name that another tab's
// file has is refused, since two tabs saving one file lose one tab's edits.
#include "edit_window_fixture.h"

#include "workspace/recent_files.h"

#include <QDir>
#include <QTabWidget>

#include <functional>

#include <unistd.h>

using namespace edit_window;

namespace {

struct OneFileOneTab : EditWindow
{
    QString a() const { return dir.filePath("a.eex"); }

    void SetUp() override
    {
        EditWindow::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
        ASSERT_TRUE(QFile::link(a(), dir.filePath("link.eex")));
        ASSERT_EQ(::link(QFile::encodeName(a()).constData(), QFile::encodeName(dir.filePath("hard.eex")).constData()),
                  0);
        ASSERT_TRUE(openBytes("b.eex", eexFile(D)));
        ASSERT_EQ(docs->tabCount(), 2);
    }

    // Spellings of a.eex.
    QStringList spellings() const
    {
        return {dir.filePath("link.eex"), dir.filePath("hard.eex"), dir.path() + "/sub/../a.eex",
                dir.path() + "/./a.eex", dir.path() + "//a.eex"};
    }
};

TEST_F(OneFileOneTab, EveryRoadSelectsTheOpenFilesTab)
{
    struct Road {
        const char *name;
        std::function<void(const QString &)> open;
    };
    const std::vector<Road> roads = {
        {"open", [&](const QString &p) { docs->openFiles({p}); }},
        {"dropped", [&](const QString &p) { emit view()->filesDropped({p}); }},
        {"recent",
         [&](const QString &p) {
             workspace::addRecentFile(p);
             w.loadRecentItems();
             docs->openRecent(1);
         }},
        {"hand-over",
         [&](const QString &p) {
             w.queueHandOver({p});
             w.openHandOvers();
         }},
    };
    for (const Road &road : roads) {
        for (const QString &p : spellings()) {
            SCOPED_TRACE(std::string(road.name) + " " + p.toStdString());
            w.tabStrip()->setCurrentIndex(1);
            road.open(p);
            EXPECT_EQ(docs->tabCount(), 2);
            EXPECT_EQ(docs->currentTab(), 0);
            EXPECT_EQ(doc()->path(), a());
        }
    }
    EXPECT_TRUE(prompts.messages.isEmpty());

    // Another file is still another tab.
    ASSERT_TRUE(writeBytes("c.eex", eexFile(C)));
    EXPECT_TRUE(docs->openFiles({dir.path() + "/sub/../c.eex"}));
    EXPECT_EQ(docs->tabCount(), 3);
}

TEST_F(OneFileOneTab, ASaveUnderTheNameOfAnotherTabsFileIsRefused)
{
    const QByteArray before = [&] {
        QFile f(a());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_FALSE(before.isEmpty());
    docs->markTabModified();
    workspace::Document *b = doc();
    const QString bPath = b->path();

    QStringList names = spellings();
    names.prepend(a());
    for (const QString &p : names) {
        SCOPED_TRACE(p.toStdString());
        prompts.messages.clear();
        prompts.saveAnswers = {p};
        EXPECT_FALSE(docs->saveAs());
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].text.contains("다른 탭에 열려 있어서")) << prompts.messages[0].text.toStdString();
        EXPECT_EQ(b->path(), bPath);
        EXPECT_TRUE(b->modified());
    }

    // The first save of an untitled document is a save under a new name too.
    docs->newFile();
    prompts.messages.clear();
    prompts.saveAnswers = {dir.filePath("hard.eex")};
    EXPECT_FALSE(docs->save());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(doc()->isUntitled());

    QFile f(a());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(docs->tabCount(), 3);

    // A tab saved under its own file's other name is still one tab, one file.
    w.tabStrip()->setCurrentIndex(0);
    prompts.messages.clear();
    prompts.saveAnswers = {dir.path() + "/sub/../a.eex"};
    EXPECT_TRUE(docs->saveAs());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
