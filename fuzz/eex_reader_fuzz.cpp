// Feeds arbitrary bytes to the scenario reader; whatever loads is written
// back and read again. The format is ambiguous (the reader decides by looking
// ahead whether a command opens a nested list), so damaged input need not
// survive that second read; it must only never crash or hang.
#include "core/eex_reader.h"
#include "core/eex_writer.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    core::DocTree tree;
    core::KeySerial serial = 0;
    const core::EexLoadResult r = core::eexLoad(bytes, QStringLiteral("fuzz.eex"), tree, serial);
    if (!r.ok)
        return 0;
    const core::EexSerializeResult s = core::eexSerialize(tree);
    if (!s.ok)
        return 0;
    core::DocTree again;
    core::eexLoad(s.bytes, QStringLiteral("again.eex"), again, serial);
    return 0;
}
