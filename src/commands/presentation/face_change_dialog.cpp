#include "commands/presentation/face_change_dialog.h"

#include "commands/presentation/presentation_dialogs.h"
#include "commands/presentation/dialog_rows.h"
#include "commands/common/list_sources.h"
#include "commands/common/placeholder_item.h"
#include "core/param_tags.h"
#include "workspace/dialog_registry.h"

#include <QComboBox>

#include <algorithm>

namespace commands {

FaceChangeDialog::FaceChangeDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
{
    setObjectName(QStringLiteral("FrmFaceChange20"));
    setWindowTitle(QStringLiteral("수정 - 20 : 얼굴변화설정"));
    m_face = new QComboBox(this);
    m_face->setObjectName(QStringLiteral("cbFace"));
    m_face->setMaxVisibleItems(25);
    // The items read as the tree's captions read the same values.
    for (int value : kValues)
        m_face->addItem(core::faceSetCaption(value));
    addLabelledRow(body(), this, "Label1", QStringLiteral("얼굴 "), m_face);

    // A stored value none of the nine items stands for reads as the caption
    // reads it, with its number, and is kept until another item is chosen.
    const int stored = field(9, 2) & 0xFFFF;
    const auto it = std::find(kValues.begin(), kValues.end(), stored);
    if (it == kValues.end()) {
        QStringList own;
        for (int i = 0; i < m_face->count(); ++i)
            own << m_face->itemText(i);
        m_face->addItem(placeholderText(captionWordAt(ctx, key(), 9), stored, own));
        m_face->setCurrentIndex(m_face->count() - 1);
        m_kept = stored;
    } else {
        m_face->setCurrentIndex(int(it - kValues.begin()));
    }
}

bool FaceChangeDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    const int i = m_face->currentIndex();
    if (i >= int(kValues.size()) && m_kept >= 0)
        setField(key, 9, 2, m_kept);
    else
        setField(key, 9, 2, kValues[std::size_t(std::clamp(i, 0, int(kValues.size()) - 1))]);
    return true;
}

void registerFaceChangeDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(FaceChangeDialog::kCode, QStringLiteral("FrmFaceChange20"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            return std::make_unique<FaceChangeDialog>(ctx);
        });
}

} // namespace commands
