#include "commands/flow/variable_test_dialog.h"

#include "commands/flow/flow_dialogs.h"
#include "commands/flow/variable_test_record.h"
#include "core/key_codec.h"
#include "workspace/dialog_registry.h"

#include <QGridLayout>
#include <algorithm>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace commands::flow {

VariableTestDialog::VariableTestDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kVariableTestCode)
{
    setObjectName(QStringLiteral("FrmVar5"));
    setWindowTitle(QStringLiteral("수정 - 5 : 변량시험"));

    m_true = makeListBox("tTrue");
    m_false = makeListBox("tFalse");
    auto *grid = new QGridLayout;
    auto *label1 = new QLabel(QStringLiteral("True 변량"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto *label2 = new QLabel(QStringLiteral("False 변량"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    grid->addWidget(label1, 0, 0);
    grid->addWidget(m_true, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(m_false, 1, 1);
    body()->addLayout(grid);

    const VariableTestLists lists = readVariableTest(key());
    m_true->setText(formatVariableList(lists.trueVariables));
    m_false->setText(formatVariableList(lists.falseVariables));
}

QLineEdit *VariableTestDialog::makeListBox(const char *name)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setMinimumWidth(320);
    // Digits arrive as digits even while the keyboard is in Hangul mode.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, box] { clamp(box); });
    return box;
}

// Typed keys: digits, "," and the editing keys only. Pasted text passes and is
// cleaned up on OK.
bool VariableTestDialog::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_true || watched == m_false) && event->type() == QEvent::KeyPress) {
        const QString t = static_cast<QKeyEvent *>(event)->text();
        if (!t.isEmpty() && t.at(0).unicode() >= 0x20) {
            for (QChar c : t)
                if (!(c.unicode() >= '0' && c.unicode() <= '9') && c != u',')
                    return true;
        }
    }
    return CommandDialog::eventFilter(watched, event);
}

void VariableTestDialog::clamp(QLineEdit *box)
{
    const QString clamped = clampVariableListText(box->text());
    if (clamped == box->text())
        return;
    const int caret = box->cursorPosition();
    box->setText(clamped);
    box->setCursorPosition(std::min(caret, int(clamped.size())));
}

bool VariableTestDialog::saveFields(QString &newKey, int &lengthDelta)
{
    const QString oldKey = tree().key(node());
    const qsizetype underscore = oldKey.indexOf(u'_');
    const qsizetype recordEnd = underscore < 0 ? oldKey.size() : underscore;
    // A block holding a nested list keeps its nested-length word.
    const qsizetype tailStart = tree().childCount(node()) > 0 ? std::max<qsizetype>(0, recordEnd - 4) : recordEnd;

    VariableTestLists lists;
    lists.trueVariables = parseVariableList(m_true->text());
    lists.falseVariables = parseVariableList(m_false->text());
    newKey = variableTestRecord(lists) + oldKey.mid(tailStart);
    lengthDelta = int(newKey.size() / 2 - oldKey.size() / 2);
    return true;
}

void registerVariableTestDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(kVariableTestCode, QStringLiteral("FrmVar5"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> { return std::make_unique<VariableTestDialog>(ctx); });
}

} // namespace commands::flow
