#include "workspace/doc_tree_model.h"

#include <QBrush>

namespace workspace {

using core::kNoNode;
using core::NodeId;

DocTreeModel::DocTreeModel(core::DocTree *tree, QObject *parent)
    : QAbstractItemModel(parent), m_tree(tree)
{
    m_tree->setObserver(this);
}

DocTreeModel::~DocTreeModel()
{
    if (m_tree->observer() == this)
        m_tree->setObserver(nullptr);
}

QModelIndex DocTreeModel::indexOf(NodeId node) const
{
    if (!m_tree->isValid(node))
        return {};
    return createIndex(m_tree->row(node), 0, quintptr(node));
}

NodeId DocTreeModel::nodeAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return kNoNode;
    return NodeId(index.internalId());
}

QModelIndex DocTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid()) {
        if (row == 0 && m_tree->root() != kNoNode)
            return createIndex(0, 0, quintptr(m_tree->root()));
        return {};
    }
    const NodeId child = m_tree->child(nodeAt(parent), row);
    return child == kNoNode ? QModelIndex() : createIndex(row, 0, quintptr(child));
}

QModelIndex DocTreeModel::parent(const QModelIndex &child) const
{
    const NodeId node = nodeAt(child);
    if (node == kNoNode)
        return {};
    return indexOf(m_tree->parent(node));
}

int DocTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_tree->root() != kNoNode ? 1 : 0;
    if (parent.column() != 0)
        return 0;
    return m_tree->childCount(nodeAt(parent));
}

int DocTreeModel::columnCount(const QModelIndex &) const { return 1; }

bool DocTreeModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant DocTreeModel::data(const QModelIndex &index, int role) const
{
    const NodeId node = nodeAt(index);
    if (node == kNoNode)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_tree->text(node);
    case Qt::ForegroundRole: {
        const QColor c = m_tree->textColor(node);
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    case Qt::BackgroundRole: {
        const QColor c = m_tree->backColor(node);
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    case KeyRole:
        return m_tree->key(node);
    case NodeIdRole:
        return node;
    default:
        return {};
    }
}

Qt::ItemFlags DocTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
}

void DocTreeModel::beginInsert(NodeId parent, int row)
{
    beginInsertRows(indexOf(parent), row, row);
}
void DocTreeModel::endInsert() { endInsertRows(); }

void DocTreeModel::beginRemove(NodeId parent, int row)
{
    beginRemoveRows(indexOf(parent), row, row);
}
void DocTreeModel::endRemove() { endRemoveRows(); }

void DocTreeModel::beginMove(NodeId oldParent, int oldRow, NodeId newParent, int newRow)
{
    beginMoveRows(indexOf(oldParent), oldRow, oldRow, indexOf(newParent), newRow);
}
void DocTreeModel::endMove() { endMoveRows(); }

void DocTreeModel::nodeChanged(NodeId node)
{
    if (m_batchDepth > 0) {
        m_batchChanged = true;
        return;
    }
    const QModelIndex idx = indexOf(node);
    if (idx.isValid())
        emit dataChanged(idx, idx);
}

void DocTreeModel::beginReset() { beginResetModel(); }
void DocTreeModel::endReset() { endResetModel(); }

void DocTreeModel::beginBatch() { ++m_batchDepth; }

void DocTreeModel::endBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0 || !m_batchChanged)
        return;
    m_batchChanged = false;
    // The rows stay where they are: views lay them out and paint them again.
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}

} // namespace workspace
