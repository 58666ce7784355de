#include "platform/file_association.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Redirects the user's data and config folders for one test.
class AssociationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        oldData = qgetenv("XDG_DATA_HOME");
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", oldData);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
    QTemporaryDir dir;
    QByteArray oldData, oldConfig;
};

TEST_F(AssociationTest, WritesTypeEntryAndDefaultAndRestoresThemAtTheNextStart)
{
    const platform::AssociationPaths paths = platform::associationFiles();
    EXPECT_TRUE(paths.mimePackage.startsWith(dir.filePath("data")));
    EXPECT_TRUE(paths.mimeApps.startsWith(dir.filePath("config")));

    QDir().mkpath(dir.filePath("config"));
    QFile other(paths.mimeApps);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[Default Applications]\ntext/plain=editor.desktop\n");
    other.close();

    EXPECT_TRUE(platform::registerFileAssociation("/opt/story loom/storyloom"));
    EXPECT_TRUE(readAll(paths.mimePackage).contains("<glob pattern=\"*.eex\"/>"));
    const QByteArray entry = readAll(paths.desktopEntry);
    EXPECT_TRUE(entry.contains("Exec=\"/opt/story loom/storyloom\" %f\n"));
    EXPECT_TRUE(entry.contains("MimeType=application/x-storyloom-scenario;\n"));
    const QByteArray apps = readAll(paths.mimeApps);
    EXPECT_TRUE(apps.contains("text/plain=editor.desktop"));
    EXPECT_TRUE(apps.contains("application/x-storyloom-scenario=storyloom.desktop"));

    // The user points the type elsewhere; the next start puts it back.
    QFile changed(paths.desktopEntry);
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write("[Desktop Entry]\nExec=other %f\n");
    changed.close();
    EXPECT_TRUE(platform::registerFileAssociation("/opt/story loom/storyloom"));
    EXPECT_EQ(readAll(paths.desktopEntry), entry);
    EXPECT_EQ(readAll(paths.mimeApps), apps);
}

TEST_F(AssociationTest, UnwritableFolderIsReportedNotFatal)
{
    QFile blocker(dir.filePath("data"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where a folder must go
    blocker.close();
    EXPECT_FALSE(platform::registerFileAssociation("/usr/bin/storyloom"));
}

TEST(DesktopExec, QuotesReservedCharacters)
{
    EXPECT_EQ(platform::desktopExecLine("/a/b"), "\"/a/b\" %f");
    EXPECT_EQ(platform::desktopExecLine("/a$b/c\"d"), "\"/a\\\\$b/c\\\\\"d\" %f");
    EXPECT_EQ(platform::desktopExecLine("/a\\b"), "\"/a\\\\\\\\b\" %f");
    EXPECT_EQ(platform::desktopExecLine("/50%/x"), "\"/50%%/x\" %f");
}

} // namespace
