#pragma once
// The tree view of one document: shows the document tree through its item
// model (captions, text and background colours), keeps the tree's expanded
// flags and the view in step, and takes files dropped on it. Clicks report
// the modifiers they were made with (Ctrl and Shift build the
// multi-selection, not the view's own selection) and the right button asks
// for the edit pop-up.
#include "core/doc_tree.h"
#include "core/work_progress.h"

#include <QStringList>
#include <QTreeView>

namespace workspace {

class Document;
class DocTreeModel;

class ScenarioTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit ScenarioTreeView(Document *document, QWidget *parent = nullptr);

    Document *document() const { return m_document; }
    DocTreeModel *docModel() const;

    // Selects the node, scrolls it into view and makes it the tree's selected node.
    void selectNode(core::NodeId node);
    core::NodeId selectedNode() const;
    // "선택한 메뉴 펼치기" / "접기": every node with children in the branch of
    // `start` expanded (spread) or collapsed, in the tree and in the view, in
    // one layout of the view. `progress` counts nodes; when it answers false
    // the walk stops there (what it reached stays as it made it). Returns
    // false when stopped.
    bool spreadFold(core::NodeId start, bool spread, const core::WorkProgress &progress = {});

signals:
    // A left click on a node, after the view selected it.
    void nodeClicked(core::NodeId node, Qt::KeyboardModifiers modifiers);
    // The right button was released over the tree.
    void popupRequested(const QPoint &globalPos);
    // Local files dropped on the tree, full paths in drop order.
    void filesDropped(const QStringList &paths);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void applyExpanded(const QModelIndex &parent, int first, int last);
    void applyExpandedAll();

    Document *m_document;
};

} // namespace workspace
