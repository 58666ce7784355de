// One structure edit on a scenario from the input: load, one edit on a node
// picked by the input, then the save checked. A document that saved before
// the edit saves after it (its bytes read back into the same tree), or the
// edit was refused and left the tree and the history as they were.
// Input: edit (1 byte), node (2), second node or code (1), then the file.
#include "core/catalogue.h"
#include "core/clipboard_ops.h"
#include "core/edit_history.h"
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "core/find_replace.h"
#include "core/record_lengths.h"
#include "core/structure_edits.h"
#include "fuzz_common.h"

#include <cstdint>

namespace {

enum Edit { MoveUp, MoveDown, Delete, Cut, Paste, Add, AddChild, ReplaceAll, kEdits };

core::EditResult run(Edit edit, core::EditContext &ctx, core::NodeId node, core::NodeId other, int code)
{
    core::Clipboard clipboard;
    switch (edit) {
    case MoveUp: return core::moveUp(ctx, node);
    case MoveDown: return core::moveDown(ctx, node);
    case Delete: return core::deleteNodes(ctx, node);
    case Cut: return core::cutNodes(ctx, node, {}, clipboard);
    case Paste:
        (void)core::copyNodes(ctx.tree, other, {}, clipboard);
        return core::pasteNodes(ctx, clipboard, node);
    case Add: return core::addCommand(ctx, node, code);
    case AddChild: return core::addChildEvent(ctx, node, code);
    case ReplaceAll: {
        // The text of the commands around: one character of a caption, for
        // another of the byte's choosing.
        ctx.tree.setSelected(node);
        const core::ReplaceOutcome out =
            core::replaceAll(ctx, ctx.tree.text(other).right(1), QString(QChar(code % 0x80 + 1)));
        return {out.changed(), out.changed(), out.refused, core::kNoNode};
    }
    case kEdits: break;
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    const auto edit = Edit(data[0] % kEdits);
    const int pick = int(data[1]) << 8 | data[2];
    const int code = data[3] % (core::kHighestCode + 1);
    const QByteArray file(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));
    core::KeySerial serial = 0;
    core::DocTree tree;
    if (!core::eexLoad(file, QStringLiteral("f.eex"), tree, serial).ok)
        return 0;
    const core::EexSerializeResult before = core::eexSerializeChecked(tree);
    const std::vector<core::NodeId> nodes = fuzzing::allNodes(tree);
    if (nodes.empty())
        return 0;
    const core::NodeId node = nodes[std::size_t(pick) % nodes.size()];
    const core::NodeId other = nodes[std::size_t(pick / 7 + code) % nodes.size()];

    core::EditHistory history;
    core::EditContext ctx{tree, serial, history, {}};
    const core::EditResult result = run(edit, ctx, node, other, code);
    const core::EexSerializeResult after = core::eexSerializeChecked(tree);
    if (history.undoStepCount() == 0) {
        // Nothing recorded: nothing changed.
        fuzzing::check(!result.changed);
        fuzzing::check(after.ok == before.ok && after.bytes == before.bytes);
        return 0;
    }
    // An edit that stands leaves a document that saved still saving.
    fuzzing::check(!before.ok || after.ok);
    return 0;
}
