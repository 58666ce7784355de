#include "workspace/multi_selection_window.h"

#include "workspace/main_window.h"

#include <QCloseEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace workspace {

namespace {
constexpr int kKeyRole = Qt::UserRole + 1;
}

MultiSelectionWindow::MultiSelectionWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmMultiSelectView"));
    setWindowTitle(QStringLiteral("MultiSelectView"));
    setFont(koreanUiFont());
    // Never the window that keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(320, 400);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setHeaderHidden(true);
    m_tree->setFont(koreanUiFont());
    layout->addWidget(m_tree);
}

int MultiSelectionWindow::nodeCount() const { return m_tree->topLevelItemCount(); }

QStringList MultiSelectionWindow::topKeys() const
{
    QStringList keys;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        keys << m_tree->topLevelItem(i)->data(0, kKeyRole).toString();
    return keys;
}

QTreeWidgetItem *MultiSelectionWindow::makeItem(const core::NodeSnapshot &node)
{
    auto *item = new QTreeWidgetItem(QStringList{node.text});
    item->setData(0, kKeyRole, node.key);
    if (node.textColor.isValid())
        item->setForeground(0, node.textColor);
    for (const core::NodeSnapshot &child : node.children)
        item->addChild(makeItem(child));
    return item;
}

void MultiSelectionWindow::setNodes(const std::vector<core::NodeSnapshot> &nodes)
{
    m_tree->clear();
    for (const core::NodeSnapshot &n : nodes) {
        QTreeWidgetItem *item = makeItem(n);
        m_tree->addTopLevelItem(item);
        // Expanded states once the items stand in the tree.
        std::vector<std::pair<QTreeWidgetItem *, const core::NodeSnapshot *>> stack{{item, &n}};
        while (!stack.empty()) {
            auto [it, snap] = stack.back();
            stack.pop_back();
            it->setExpanded(snap->expanded);
            for (std::size_t i = 0; i < snap->children.size(); ++i)
                stack.push_back({it->child(int(i)), &snap->children[i]});
        }
    }
}

void MultiSelectionWindow::clearNodes() { m_tree->clear(); }

void MultiSelectionWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    hide();
}

} // namespace workspace
