// Feeds arbitrary bytes to the scenario reader. Whatever opens either says
// at once that it cannot be saved, or saves into bytes that read back into
// the same tree, exactly as many bytes as the warnings said a save drops and
// adds; anything else stops the fuzzer.
#include "core/eex_reader.h"
#include "core/eex_writer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    core::DocTree tree;
    core::KeySerial serial = 0;
    const core::EexLoadResult r = core::eexLoad(bytes, QStringLiteral("fuzz.eex"), tree, serial);
    if (!r.ok)
        return 0;
    bool unsaveable = false;
    std::int64_t change = 0;
    for (const core::EexLoadWarning &w : r.warnings) {
        unsaveable = unsaveable || w.kind == core::EexLoadWarning::Kind::Unsaveable;
        change += core::eexSaveByteChange(w);
    }
    const core::EexSerializeResult s = core::eexSerializeChecked(tree);
    if (s.ok == unsaveable)
        std::abort();  // a refused save not announced at open, or an announced one that saves
    if (!s.ok)
        return 0;
    if (s.bytes.size() != bytes.size() + change)
        std::abort();  // the warnings' figures are not what the save drops and adds
    core::DocTree again;
    const core::EexLoadResult r2 = core::eexLoad(s.bytes, QStringLiteral("again.eex"), again, serial);
    if (!r2.ok || core::eexTreeDifference(tree, again).found)
        std::abort();
    return 0;
}
