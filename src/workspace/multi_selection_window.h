#pragma once
// "MultiSelectView": a tool window without owner that mirrors the
// multi-selection. Its tree TreeView1 holds, for every selected node, a
// top-level copy with the node's key, caption, text colour, expanded state
// and branch. Closing the window only hides it; its content stays.
#include "core/subtree_snapshot.h"

#include <QWidget>

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace workspace {

class MultiSelectionWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MultiSelectionWindow(QWidget *parent = nullptr);

    QTreeWidget *tree() const { return m_tree; }
    // Top-level copies, in selection order.
    int nodeCount() const;
    QStringList topKeys() const;

    void setNodes(const std::vector<core::NodeSnapshot> &nodes);
    void clearNodes();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QTreeWidgetItem *makeItem(const core::NodeSnapshot &node);

    QTreeWidget *m_tree = nullptr;
};

} // namespace workspace
