// A cancelled open: the reading thread stops at the reader's next progress
// check instead of reading the whole file on its own, and the program can
// wait for it before it ends (quitting right after a cancelled open of a
// large file used to crash while the read went on).
#include "core/edit_history_test_doc.h"
#include "core/eex_reader.h"
#include "workspace/background_load.h"
#include "workspace/long_task.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using workspace::LongTask;

// The threads of this process.
int threadCount() { return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()); }

struct CancelledOpen : ::testing::Test
{
    QTemporaryDir dir;
    QWidget parent;
    QString path;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Four million nodes in 24 MB: a whole read takes seconds (each
        // Section's body is one record repeated, so it is made at once).
        const std::pair<QByteArray, QByteArray> section{edit_test::lockedComment(), edit_test::plain(1).repeated(10000)};
        path = dir.filePath("big.eex");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_GT(f.write(edit_test::eexFile(std::vector(400, section))), 20'000'000);
        LongTask::setShowAfterMs(0);
        LongTask::shownHook() = [](QProgressDialog &d) { d.cancel(); };
    }
    void TearDown() override
    {
        LongTask::shownHook() = {};
        LongTask::setShowAfterMs(500);
        workspace::finishCancelledReads();
    }

    bool openAndCancel()
    {
        core::DocTree tree;
        core::KeySerial serial = 0;
        return !workspace::loadWithProgress(&parent, path, tree, serial, {}).has_value();
    }
};

// Measured against the whole read of the same file, which a cancelled read
// would otherwise go on with.
TEST_F(CancelledOpen, TheReadingThreadStopsLongBeforeTheWholeReadWouldEnd)
{
    QElapsedTimer clock;
    clock.start();
    {
        core::DocTree tree;
        core::KeySerial serial = 0;
        ASSERT_TRUE(core::eexLoadFile(path, tree, serial).ok);
    }
    const int halfRead = int(clock.elapsed() / 2);

    const int before = threadCount();
    ASSERT_TRUE(openAndCancel());
    // At most as many threads as before: in a run of the whole test program an
    // idle thread of another test's pool may end meanwhile.
    EXPECT_TRUE(QTest::qWaitFor([&] { return threadCount() <= before; }, halfRead))
        << "a cancelled read still runs on its own thread";

    // Before the program ends it waits for its cancelled reads.
    ASSERT_TRUE(openAndCancel());
    ASSERT_TRUE(openAndCancel());
    EXPECT_GE(workspace::cancelledReadsPending(), 1);
    clock.restart();
    workspace::finishCancelledReads();
    EXPECT_LT(clock.elapsed(), halfRead);
    EXPECT_EQ(workspace::cancelledReadsPending(), 0);
    EXPECT_LE(threadCount(), before);
}

TEST_F(CancelledOpen, TheReaderStopsWhenItsProgressSaysSoAndKeepsNothing)
{
    core::DocTree tree;
    core::KeySerial serial = 0;
    std::int64_t lastDone = -1, total = 0;
    int calls = 0;
    const core::EexLoadResult r =
        core::eexLoadFile(path, tree, serial, {}, [&](std::int64_t done, std::int64_t all) {
            EXPECT_GT(done, lastDone);
            EXPECT_LE(done, all);
            lastDone = done;
            total = all;
            return ++calls < 3;
        });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failure, core::EexLoadFailure::Cancelled);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(total, QFileInfo(path).size());
    EXPECT_EQ(tree.count(), 0);
    EXPECT_TRUE(core::eexLoadFailureMessage(r, path).isEmpty());

    // Asked and answered true throughout: the same tree as without a callback.
    const std::pair<QByteArray, QByteArray> section{edit_test::lockedComment(), edit_test::plain(2).repeated(7000)};
    const QByteArray small = edit_test::eexFile(std::vector(8, section));
    core::DocTree plain, watched;
    core::KeySerial a = 0, b = 0;
    ASSERT_TRUE(core::eexLoad(small, path, plain, a).ok);
    calls = 0;
    ASSERT_TRUE(core::eexLoad(small, path, watched, b, {}, [&](std::int64_t, std::int64_t) { return ++calls > 0; }).ok);
    EXPECT_GE(calls, small.size() / (64 * 1024));
    EXPECT_EQ(watched.count(), plain.count());
    EXPECT_EQ(b, a);
}

} // namespace
