#pragma once
// A thin item model over a core::DocTree. It never changes the tree; it only
// mirrors the tree's change notifications to the view.
#include "core/doc_tree.h"

#include <QAbstractItemModel>

namespace workspace {

class DocTreeModel : public QAbstractItemModel, private core::DocTreeObserver
{
    Q_OBJECT
public:
    static constexpr int KeyRole = Qt::UserRole + 1;
    static constexpr int NodeIdRole = Qt::UserRole + 2;

    explicit DocTreeModel(core::DocTree *tree, QObject *parent = nullptr);
    ~DocTreeModel() override;

    core::DocTree *tree() const { return m_tree; }
    QModelIndex indexOf(core::NodeId node) const;
    core::NodeId nodeAt(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void beginInsert(core::NodeId parent, int row) override;
    void endInsert() override;
    void beginRemove(core::NodeId parent, int row) override;
    void endRemove() override;
    void beginMove(core::NodeId oldParent, int oldRow, core::NodeId newParent, int newRow) override;
    void endMove() override;
    void nodeChanged(core::NodeId node) override;
    void beginReset() override;
    void endReset() override;
    void beginBatch() override;
    void endBatch() override;

    core::DocTree *m_tree;
    // Inside a batch, changed nodes are not reported one by one: a view
    // looks each one up among its rows, which over many nodes costs the
    // square of their number. The batch ends with one relayout instead.
    int m_batchDepth = 0;
    bool m_batchChanged = false;
};

} // namespace workspace
