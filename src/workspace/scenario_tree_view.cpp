#include "workspace/scenario_tree_view.h"

#include "workspace/doc_tree_model.h"
#include "workspace/document.h"
#include "workspace/main_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <vector>

namespace workspace {

namespace {

QStringList localFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

ScenarioTreeView::ScenarioTreeView(Document *document, QWidget *parent) : QTreeView(parent), m_document(document)
{
    setObjectName(QStringLiteral("TV"));
    setFont(koreanUiFont());
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setModel(document->model());

    DocTreeModel *m = document->model();
    connect(m, &QAbstractItemModel::rowsInserted, this, &ScenarioTreeView::applyExpanded);
    connect(m, &QAbstractItemModel::modelReset, this, &ScenarioTreeView::applyExpandedAll);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        m_document->tree().setExpanded(docModel()->nodeAt(index), true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex &index) {
        m_document->tree().setExpanded(docModel()->nodeAt(index), false);
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        m_document->tree().setSelected(docModel()->nodeAt(current));
    });
    applyExpandedAll();
}

DocTreeModel *ScenarioTreeView::docModel() const { return m_document->model(); }

void ScenarioTreeView::selectNode(core::NodeId node)
{
    const QModelIndex index = docModel()->indexOf(node);
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    scrollTo(index);
    m_document->tree().setSelected(node);
}

core::NodeId ScenarioTreeView::selectedNode() const { return docModel()->nodeAt(currentIndex()); }

bool ScenarioTreeView::spreadFold(core::NodeId start, bool spread, const core::WorkProgress &progress)
{
    core::DocTree &tree = m_document->tree();
    if (!tree.isValid(start))
        return true;
    // With a layout pending the view only notes each expanded index; the
    // rows are laid out once at the end, not once per node.
    scheduleDelayedItemsLayout();
    DocTreeModel *m = docModel();
    std::int64_t visited = 0;
    std::vector<core::NodeId> stack{start};
    bool finished = !progress || progress(0, tree.count());
    if (!finished)
        stack.clear();
    while (!stack.empty()) {
        const core::NodeId n = stack.back();
        stack.pop_back();
        if (progress && ++visited % core::kNodesPerReport == 0 && !progress(visited, tree.count())) {
            finished = false;
            break;
        }
        const int children = tree.childCount(n);
        if (children == 0)
            continue;
        tree.setExpanded(n, spread);
        setExpanded(m->indexOf(n), spread);
        for (int r = children - 1; r >= 0; --r)
            stack.push_back(tree.child(n, r));
    }
    executeDelayedItemsLayout();
    return finished;
}

void ScenarioTreeView::mousePressEvent(QMouseEvent *event)
{
    // One current node only: Ctrl and Shift are read by the multi-selection.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    QMouseEvent plain(event->type(), event->position(), event->scenePosition(), event->globalPosition(),
                      event->button(), event->buttons(), modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier),
                      event->pointingDevice());
    QTreeView::mousePressEvent(&plain);
    event->setAccepted(plain.isAccepted());
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        emit nodeClicked(docModel()->nodeAt(index), modifiers);
}

void ScenarioTreeView::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        emit popupRequested(event->globalPosition().toPoint());
}

void ScenarioTreeView::applyExpanded(const QModelIndex &parent, int first, int last)
{
    const core::DocTree &tree = m_document->tree();
    DocTreeModel *m = docModel();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = m->index(row, 0, parent);
        const core::NodeId node = m->nodeAt(index);
        if (tree.childCount(node) > 0) {
            applyExpanded(index, 0, tree.childCount(node) - 1);
            if (tree.expanded(node))
                setExpanded(index, true);
        }
    }
}

void ScenarioTreeView::applyExpandedAll()
{
    const int rows = docModel()->rowCount();
    if (rows > 0)
        applyExpanded(QModelIndex(), 0, rows - 1);
}

void ScenarioTreeView::dragEnterEvent(QDragEnterEvent *event)
{
    if (localFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void ScenarioTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    if (localFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void ScenarioTreeView::dropEvent(QDropEvent *event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths);
}

} // namespace workspace
