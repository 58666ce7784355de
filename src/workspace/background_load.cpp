#include "workspace/background_load.h"

#include "core/name_tables.h"
#include "workspace/long_task.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace workspace {

namespace {

// What the reading thread owns. A cancelled read is told to stop and handed
// to cancelledReads(); the window goes on at once.
struct ReadJob {
    QString path;
    core::DocTree tree;
    core::KeySerial serial = 0;
    core::NameTables names;
    core::CaptionSettings settings;
    core::CaptionContext captions;
    core::EexLoadResult result;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::atomic<bool> cancelled = false;

    bool isDone()
    {
        std::lock_guard lock(mutex);
        return done;
    }
};

// Reads the user cancelled, until their threads have been waited for. The
// reader stops at its next progress check, so a wait is short; the program
// waits for them all before it ends, so no reading thread outlives it.
class CancelledReads
{
public:
    ~CancelledReads() { finish(); }

    void add(std::thread thread, std::shared_ptr<ReadJob> job)
    {
        joinFinished();
        m_reads.push_back({std::move(thread), std::move(job)});
    }
    void finish()
    {
        for (Read &r : m_reads) {
            r.job->cancelled = true;
            r.thread.join();
        }
        m_reads.clear();
    }
    int pending() const { return int(m_reads.size()); }

private:
    struct Read {
        std::thread thread;
        std::shared_ptr<ReadJob> job;
    };
    void joinFinished()
    {
        std::erase_if(m_reads, [](Read &r) {
            if (!r.job->isDone())
                return false;
            r.thread.join();
            return true;
        });
    }

    std::vector<Read> m_reads;
};

CancelledReads &cancelledReads()
{
    static CancelledReads reads;
    return reads;
}

// Serials handed out to reads still running: a read started while another
// runs (a file handed over meanwhile) draws from above the first one's range.
core::KeySerial g_reservedUpTo = 0;
int g_running = 0;

core::KeySerial serialsFor(const QString &path)
{
    // Every node takes at most one serial and every record at least two bytes.
    return core::KeySerial(std::max<qint64>(0, QFileInfo(path).size())) + 1024;
}

} // namespace

std::optional<core::EexLoadResult> loadWithProgress(QWidget *parent, const QString &path, core::DocTree &tree,
                                                    core::KeySerial &keySerial,
                                                    const core::CaptionContext &captions)
{
    auto job = std::make_shared<ReadJob>();
    job->path = path;
    job->serial = g_running > 0 ? std::max(keySerial, g_reservedUpTo) : keySerial;
    if (captions.names) {
        job->names = *captions.names;
        job->captions.names = &job->names;
    }
    if (captions.settings) {
        job->settings = *captions.settings;
        job->captions.settings = &job->settings;
    }
    g_reservedUpTo = std::max(g_reservedUpTo, job->serial + serialsFor(path));
    ++g_running;
    std::thread reading([job] {
        ReadJob *j = job.get();
        const core::WorkProgress keepGoing = [j](std::int64_t, std::int64_t) { return !j->cancelled; };
        core::EexLoadResult result = core::eexLoadFile(j->path, j->tree, j->serial, j->captions, keepGoing);
        std::lock_guard lock(j->mutex);
        j->result = std::move(result);
        j->done = true;
        j->finished.notify_all();
    });

    LongTask task(parent, kOpeningLabel, LongTask::Cancel::Allowed);
    bool cancelled = false;
    for (;;) {
        // The user's answer first: a cancel counts even when the read is done.
        if (!task.keepAlive()) {
            cancelled = true;
            break;
        }
        std::unique_lock lock(job->mutex);
        if (job->finished.wait_for(lock, std::chrono::milliseconds(10), [&] { return job->done; }))
            break;
    }
    --g_running;
    if (cancelled) {
        job->cancelled = true;
        cancelledReads().add(std::move(reading), std::move(job));
        return std::nullopt;
    }
    reading.join();
    tree.swapContent(job->tree);
    keySerial = std::max(keySerial, job->serial);
    return std::move(job->result);
}

void finishCancelledReads() { cancelledReads().finish(); }

int cancelledReadsPending() { return cancelledReads().pending(); }

} // namespace workspace
