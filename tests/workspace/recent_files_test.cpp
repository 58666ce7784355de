#include "core/settings.h"
#include "workspace/recent_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(RecentFiles, NewPathsGoOnTopAndKnownOnesMoveThere)
{
    struct Case {
        QStringList before;
        QString added;
        QStringList after;
    };
    const Case cases[] = {
        {{"", "", "", "", ""}, "/a", {"/a", "", "", "", ""}},
        {{"/a", "/b", "/c", "/d", "/e"}, "/f", {"/f", "/a", "/b", "/c", "/d"}},
        {{"/a", "/b", "/c", "/d", "/e"}, "/c", {"/c", "/a", "/b", "/d", "/e"}},
        {{"/a", "/b", "/c", "/d", "/e"}, "/a", {"/a", "/b", "/c", "/d", "/e"}},
        {{"/a", "/b", "/c", "/d", "/e"}, "/e", {"/e", "/a", "/b", "/c", "/d"}},
        {{"/a", "", "/c", "", ""}, "/x", {"/x", "/a", "", "/c", ""}},
        // Exact comparison: another letter case is another file.
        {{"/A", "/b", "", "", ""}, "/a", {"/a", "/A", "/b", "", ""}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(workspace::recentWithAdded(c.before, c.added), c.after) << c.added.toStdString();
}

TEST(RecentFiles, AddWritesTheSettingsEntries)
{
    QTemporaryDir dir;
    const QString previous = core::iniPath();
    core::setIniPath(dir.filePath("Q_T.ini"));
    core::writeINI("Recent_Scenario", "1", " /old.eex ");
    workspace::addRecentFile("/new.eex");
    EXPECT_EQ(workspace::recentEntries(), QStringList({"/new.eex", "/old.eex", "", "", ""}));
    EXPECT_EQ(core::readINI("Recent_Scenario", "2"), "/old.eex");
    core::setIniPath(previous);
}

} // namespace
