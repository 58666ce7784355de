// The scenario reader with every caption made: loading makes captions only
// when first shown, so this target asks every node for its text (with name
// tables and list bounds set, so the name and bound paths run too).
#include "core/captions.h"
#include "core/eex_reader.h"
#include "fuzz_common.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const core::NameTables names = fuzzing::madeUpNames();
    static const core::CaptionSettings bounds{40, 50, 58, 9};
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    core::DocTree tree;
    core::KeySerial serial = 0;
    const core::CaptionContext captions{&names, &bounds};
    const core::EexLoadResult r = core::eexLoad(bytes, QStringLiteral("fuzz.eex"), tree, serial, captions);
    for (const core::EexLoadWarning &w : r.warnings)
        fuzzing::check(!core::eexLoadWarningMessage(w).isEmpty());
    if (!r.ok) {
        fuzzing::check(!core::eexLoadFailureMessage(r, QStringLiteral("fuzz.eex")).isEmpty());
        return 0;
    }
    for (core::NodeId n : fuzzing::allNodes(tree)) {
        (void)tree.text(n);
        // The creation site too: every rebuild after an edit uses it.
        const QString &key = tree.key(n);
        (void)core::commandCaption(key, core::CaptionSite::Creation, tree.childCount(n) > 0, captions);
    }
    return 0;
}
