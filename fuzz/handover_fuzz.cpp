// The hand-over entry read from the queue: any bytes are refused or give
// paths that survive being written and read again unchanged.
#include "fuzz_common.h"
#include "platform/single_instance.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto paths = platform::SingleInstance::decodeHandOver(bytes);
    if (!paths)
        return 0;
    fuzzing::check(!paths->isEmpty());
    for (const QString &p : *paths)
        fuzzing::check(!p.isEmpty());
    const auto again = platform::SingleInstance::decodeHandOver(platform::SingleInstance::encodeHandOver(*paths));
    fuzzing::check(again && *again == *paths);
    return 0;
}
