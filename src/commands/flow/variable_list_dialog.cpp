#include "commands/flow/variable_list_dialog.h"

#include "commands/flow/flow_dialogs.h"
#include "commands/flow/variable_uses.h"
#include "workspace/dialog_registry.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace commands::flow {

namespace {
constexpr int kKeyRole = Qt::UserRole;
}

VariableListDialog::VariableListDialog(const core::DocTree &tree, SelectNode selectNode, QWidget *parent)
    : QDialog(parent), m_tree(tree), m_selectNode(std::move(selectNode))
{
    setObjectName(QStringLiteral("FrmVarList"));
    setWindowTitle(QStringLiteral("변량 리스트"));
    setModal(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("LV"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral(" 변량"), QStringLiteral(" 용도")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);

    auto *find = new QPushButton(QStringLiteral("검색"), this);
    find->setObjectName(QStringLiteral("cFind"));
    find->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("취소"), this);
    cancel->setObjectName(QStringLiteral("cCancel"));
    connect(find, &QPushButton::clicked, this, &VariableListDialog::find);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(find);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(320, 400);

    QList<QTreeWidgetItem *> rows;
    for (const VariableUse &u : gatherVariableUses(tree)) {
        auto *row = new QTreeWidgetItem(QStringList{variableText(u.variable), u.use});
        row->setData(0, kKeyRole, u.key);
        rows << row;
    }
    m_list->addTopLevelItems(rows);
    if (!rows.isEmpty())
        m_list->setCurrentItem(rows.first());
}

bool VariableListDialog::isEmpty() const
{
    return m_list->topLevelItemCount() == 0;
}

void VariableListDialog::find()
{
    const QTreeWidgetItem *row = m_list->currentItem();
    if (!row)
        return;  // nothing chosen: nothing to jump to
    const core::NodeId n = m_tree.find(row->data(0, kKeyRole).toString());
    if (n != core::kNoNode && m_selectNode)
        m_selectNode(n);
    accept();
}

namespace {

// Selects the node in the document and in the view that shows it, when the
// workspace says how.
void selectInDocument(workspace::EditContext &ctx, core::NodeId n)
{
    ctx.doc().setSelected(n);
    if (ctx.selectNode)
        ctx.selectNode(n);
}

// A list without a row (no variable command, or only empty ones): the user
// is told so, and the tool still opens with its empty list.
std::unique_ptr<QDialog> makeVariableList(workspace::EditContext &ctx)
{
    auto list = std::make_unique<VariableListDialog>(ctx.doc(), [&ctx](core::NodeId n) { selectInDocument(ctx, n); },
                                             ctx.parent);
    if (list->isEmpty())
        ctx.ask().message(ctx.parent, QStringLiteral("변량을 찾을 수 없습니다."), QStringLiteral("Not Found!"),
                          platform::MsgButtons::Ok, platform::MsgIcon::Information);
    return list;
}

} // namespace

void registerVariableListDialog(workspace::DialogRegistry &registry)
{
    registry.registerTool(workspace::kVariableListTool, makeVariableList);
}

} // namespace commands::flow
