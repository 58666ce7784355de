#pragma once
// The tree view of one document: shows the document tree through its item
// model (captions, text and background colours), keeps the tree's expanded
// flags and the view in step, and takes files dropped on it.
#include "core/doc_tree.h"

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

signals:
    // Local files dropped on the tree, full paths in drop order.
    void filesDropped(const QStringList &paths);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void applyExpanded(const QModelIndex &parent, int first, int last);
    void applyExpandedAll();

    Document *m_document;
};

} // namespace workspace
