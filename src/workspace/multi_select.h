#pragma once
// The multi-selection made with Ctrl and Shift clicks in a document tree:
// the keys of the selected nodes in the order they were selected, the anchor
// of Shift ranges and the direction of the last range. Headless; the window
// feeds it clicks and shows the status text each click answers with.
//
// A Shift range needs an anchor in the current tree that could itself be
// selected and that shares the clicked node's parent. An anchor whose parent
// has another caption than the clicked node's resets the selection and
// answers with the help text; any other unfit anchor makes the Shift click a
// plain click.
#include "core/doc_tree.h"

#include <QString>
#include <QStringList>

namespace workspace {

// The status text after a deletion or cut of the multi-selection.
QString multiSelectHelpText();
// "3개 선택".
QString multiSelectCountText(int count);

class MultiSelect
{
public:
    // Not a Scene, Section or the root, not the locked comment, not a code-0 node.
    static bool isEligible(const core::DocTree &tree, core::NodeId node);

    const QStringList &keys() const { return m_keys; }
    int count() const { return int(m_keys.size()); }
    bool isEmpty() const { return m_keys.isEmpty(); }
    const QString &anchorKey() const { return m_anchorKey; }
    void setAnchorKey(const QString &key) { m_anchorKey = key; }
    bool downward() const { return m_downward; }
    bool contains(const QString &key) const { return m_keys.contains(key); }

    // Empties the selection; the anchor stays.
    void clear() { m_keys.clear(); }

    // A click on `node` with the modifiers held; `ctrlOption` and
    // `shiftOption` are the "Ctrl + Click" and "Shift + Click" marks. Returns
    // the new status text, or a null string when the status bar keeps its text.
    QString click(const core::DocTree &tree, core::NodeId node, bool shift, bool ctrl, bool ctrlOption,
                  bool shiftOption);

    QString plainClick(const core::DocTree &tree, core::NodeId node);
    QString ctrlClick(const core::DocTree &tree, core::NodeId node, bool ctrlOption);
    QString shiftClick(const core::DocTree &tree, core::NodeId node, bool shiftOption);

private:
    // Adds or removes the node; the status text the toggle gives.
    QString toggle(const core::DocTree &tree, core::NodeId node);

    QStringList m_keys;
    QString m_anchorKey;
    bool m_downward = true;
};

} // namespace workspace
