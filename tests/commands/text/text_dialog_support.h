#pragma once
// A command node for the text dialogs whose enclosing nested lists are
// consistent, optionally with children of its own (a block command).
#include "commands/common/engine_test_support.h"
#include "core/key_edit.h"
#include "fixtures/nested_length_check.h"

#include <QTextEdit>

namespace texttest {

struct TextNode : enginetest::CommandNode
{
    // The command sits inside a child event (0x6E), whose nested-length word
    // takes the command's length changes.
    explicit TextNode(const QString &record, bool withChildren = false)
        : enginetest::CommandNode(QStringLiteral("0100"))
    {
        const QString outerKey = QStringLiteral("6E000400000000000200_80");
        const core::NodeId outer = tree.add(node, core::Relation::After, outerKey,
                                            core::commandCaption(outerKey, core::CaptionSite::Creation, true, {}));
        const core::NodeId end = tree.add(outer, core::Relation::LastChild, QStringLiteral("0000_81"),
                                          QStringLiteral("0 : 사건결속"));
        const QString key = record + (withChildren ? QStringLiteral("0400") : QString()) + QStringLiteral("_78");
        node = tree.add(end, core::Relation::Before, key, caption(key));
        if (withChildren) {
            tree.add(node, core::Relation::LastChild, QStringLiteral("0100_90"), QStringLiteral("1 : x"));
            tree.add(node, core::Relation::LastChild, QStringLiteral("0000_91"), QStringLiteral("0 : 사건결속"));
            tree.setText(node, core::commandCaption(key, core::CaptionSite::Creation, true, {}));
        }
        tree.setSelected(node);
        ctx.node = node;
        core::keyEditNode(tree, node, core::branchByteLength(tree, node), core::NodeChange::Inserted);
    }
    // The nested-length word of the block that holds the node.
    int enclosingWord() const { return core::nestedLength(tree, tree.parent(node)).value_or(-1); }
};

inline QTextEdit *textBox(QDialog &d)
{
    return d.findChild<QTextEdit *>(QStringLiteral("tString"));
}

} // namespace texttest
