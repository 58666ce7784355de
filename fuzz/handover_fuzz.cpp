// The hand-over entry as the receiving copy reads it from its queue: any
// bytes put there are refused and taken off the queue, or give exactly the
// paths they encode, which survive being written and read again unchanged.
#include "fuzz_common.h"
#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

using platform::SingleInstance;

// A receiving copy with its queue in a private folder, made once.
struct Receiver
{
    Receiver()
    {
        fuzzing::check(dir.isValid() && instance.listen());
        // The queue folder comes with the first hand-over.
        fuzzing::check(!SingleInstance::enqueue(instance.name(), {QStringLiteral("/x.eex")}).isEmpty());
        instance.takePending();
        instance.finish(instance.takenEntries());
    }
    QTemporaryDir dir;
    SingleInstance instance{dir.filePath(QStringLiteral("channel"))};
};

Receiver &receiver()
{
    static int argc = 1;
    static char name[] = "fuzz_handover";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Receiver r;
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Receiver &r = receiver();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString queue = SingleInstance::queueFolder(r.instance.name());
    {
        QFile entry(QDir(queue).filePath(QStringLiteral("0.handover")));
        fuzzing::check(entry.open(QIODevice::WriteOnly | QIODevice::Truncate) && entry.write(bytes) == bytes.size());
    }
    const QStringList taken = r.instance.takePending();
    const auto paths = SingleInstance::decodeHandOver(bytes);
    if (!paths) {
        fuzzing::check(taken.isEmpty() && r.instance.takenEntries().isEmpty());
    } else {
        fuzzing::check(taken == *paths && !paths->isEmpty());
        for (const QString &p : *paths)
            fuzzing::check(!p.isEmpty());
        const auto again = SingleInstance::decodeHandOver(SingleInstance::encodeHandOver(*paths));
        fuzzing::check(again && *again == *paths);
        r.instance.finish(r.instance.takenEntries());
    }
    // Refused or opened, it is off the queue.
    fuzzing::check(QDir(queue).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    return 0;
}
