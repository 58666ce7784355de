#pragma once
// The variable list tool: one row per use of a variable in the current
// scenario ("Var12", "시험 True"); "검색" selects the command of the chosen
// row in the tree and closes, "취소" closes. The rows are gathered once, when
// the window is built.
#include "core/doc_tree.h"

#include <QDialog>

#include <functional>

class QTreeWidget;

namespace commands::flow {

class VariableListDialog : public QDialog
{
    Q_OBJECT
public:
    using SelectNode = std::function<void(core::NodeId)>;
    VariableListDialog(const core::DocTree &tree, SelectNode selectNode, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    bool isEmpty() const;

private:
    void find();

    const core::DocTree &m_tree;
    SelectNode m_selectNode;
    QTreeWidget *m_list = nullptr;
};

} // namespace commands::flow
