// Copy in one document, paste into another: two scenarios from the input,
// nodes picked by input bytes, the paste applied when it is allowed, then
// the target saved and read again. Input: split (2 bytes), source node,
// target node, multi-select count, then the two files.
#include "core/clipboard_ops.h"
#include "core/edit_history.h"
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "fuzz_common.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 5)
        return 0;
    const std::size_t split = std::min<std::size_t>((std::size_t(data[0]) << 8 | data[1]), size - 5);
    const int sourcePick = data[2], targetPick = data[3], multi = data[4] % 4;
    const QByteArray rest(reinterpret_cast<const char *>(data + 5), qsizetype(size - 5));
    core::KeySerial serial = 0;
    core::DocTree from, into;
    if (!core::eexLoad(rest.left(qsizetype(split)), QStringLiteral("a.eex"), from, serial).ok)
        return 0;
    if (!core::eexLoad(rest.mid(qsizetype(split)), QStringLiteral("b.eex"), into, serial).ok)
        return 0;
    const std::vector<core::NodeId> sources = fuzzing::allNodes(from);
    const std::vector<core::NodeId> targets = fuzzing::allNodes(into);
    if (sources.empty() || targets.empty())
        return 0;
    const core::NodeId source = sources[std::size_t(sourcePick) % sources.size()];
    QStringList multiKeys;
    for (int i = 0; i < multi; ++i)
        multiKeys << from.key(sources[(std::size_t(sourcePick) + std::size_t(i) * 7) % sources.size()]);

    core::Clipboard clipboard;
    (void)core::copyNodes(from, source, multiKeys, clipboard);
    const core::NodeId target = targets[std::size_t(targetPick) % targets.size()];
    if (clipboard.isEmpty() || !core::canPaste(into, clipboard, target))
        return 0;
    core::EditHistory history;
    core::EditContext ctx{into, serial, history, {}};
    const core::EditResult pasted = core::pasteNodes(ctx, clipboard, target);
    const core::EexSerializeResult saved = core::eexSerialize(into);
    // A paste that went in leaves a tree the writer takes (or refuses with a
    // reason, such as a Section grown past 65,535 bytes).
    fuzzing::check(saved.ok || !saved.message.isEmpty());
    if (pasted.ok && saved.ok) {
        core::DocTree again;
        core::eexLoad(saved.bytes, QStringLiteral("again.eex"), again, serial);
    }
    return 0;
}
