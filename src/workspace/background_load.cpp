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

namespace workspace {

namespace {

// What the reading thread owns. A cancelled read is left to finish on its
// own; the thread holds the last reference then.
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
};

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
    std::thread([job] {
        core::EexLoadResult result = core::eexLoadFile(job->path, job->tree, job->serial, job->captions);
        std::lock_guard lock(job->mutex);
        job->result = std::move(result);
        job->done = true;
        job->finished.notify_all();
    }).detach();

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
    if (cancelled)
        return std::nullopt;
    tree.swapContent(job->tree);
    keySerial = std::max(keySerial, job->serial);
    return std::move(job->result);
}

} // namespace workspace
