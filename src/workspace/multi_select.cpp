#include "workspace/multi_select.h"

#include "core/edit_units.h"

namespace workspace {

using core::DocTree;
using core::NodeId;

QString multiSelectHelpText()
{
    return QStringLiteral("Double Click, Space : 수정 | U, I, O, P : 빠른 추가 | Ctrl, Shift + 클릭 : 여러개 선택");
}

QString multiSelectCountText(int count) { return QString::number(count) + QStringLiteral("개 선택"); }

bool MultiSelect::isEligible(const DocTree &tree, NodeId node)
{
    return core::isCommandNode(tree, node) && !core::isLockedComment(tree, node) && !core::isEndNode(tree, node);
}

QString MultiSelect::click(const DocTree &tree, NodeId node, bool shift, bool ctrl, bool ctrlOption,
                           bool shiftOption)
{
    if (!tree.isValid(node))
        return {};
    if (shift)
        return shiftClick(tree, node, shiftOption);
    if (ctrl)
        return ctrlClick(tree, node, ctrlOption);
    return plainClick(tree, node);
}

QString MultiSelect::plainClick(const DocTree &tree, NodeId node)
{
    m_anchorKey = tree.key(node);
    m_keys.clear();
    return tree.key(node);
}

QString MultiSelect::toggle(const DocTree &tree, NodeId node)
{
    const QString &key = tree.key(node);
    if (m_keys.removeOne(key))
        return multiSelectCountText(count());
    m_keys.append(key);
    m_anchorKey = key;
    return key;
}

QString MultiSelect::ctrlClick(const DocTree &tree, NodeId node, bool ctrlOption)
{
    if (!ctrlOption)
        return tree.key(node);
    if (!isEligible(tree, node))
        return {};
    return toggle(tree, node);
}

QString MultiSelect::shiftClick(const DocTree &tree, NodeId node, bool shiftOption)
{
    if (!shiftOption)
        return tree.key(node);
    NodeId anchor = tree.find(m_anchorKey);
    // A range never spans two kinds of list: the click starts afresh and the
    // status bar says how selecting works.
    const NodeId anchorParent = tree.parent(anchor);
    const NodeId nodeParent = tree.parent(node);
    if (tree.isValid(anchorParent) && tree.isValid(nodeParent)
        && tree.text(anchorParent) != tree.text(nodeParent)) {
        plainClick(tree, node);
        return multiSelectHelpText();
    }
    if (!isEligible(tree, anchor) || anchorParent != nodeParent)
        return plainClick(tree, node);
    if (anchor == node)
        return isEligible(tree, node) ? toggle(tree, node) : multiSelectCountText(count());

    // Downward when the clicked node follows the anchor before any end node.
    m_downward = false;
    for (NodeId n = tree.next(anchor); n != core::kNoNode; n = tree.next(n)) {
        if (n == node) {
            m_downward = true;
            break;
        }
        if (core::isEndNode(tree, n))
            break;
    }
    auto step = [&](NodeId n) { return m_downward ? tree.next(n) : tree.previous(n); };

    // The anchor of a selection under way is already selected.
    if (!isEmpty())
        anchor = step(anchor);
    while (anchor != node) {
        if (!isEligible(tree, anchor))
            return {};
        toggle(tree, anchor);
        anchor = step(anchor);
    }
    return isEligible(tree, node) ? toggle(tree, node) : multiSelectCountText(count());
}

} // namespace workspace
