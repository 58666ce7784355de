#include "commands/presentation/frm_face_change20.h"

#include "commands/presentation/dialog_rows.h"
#include "workspace/dialog_registry.h"

#include <QComboBox>

#include <algorithm>

namespace commands {

namespace {

// A person's name, "-" and the face the value gives that person; the
// persons are the game's own, named here by the editor.
const char16_t *const kItems[] = {
    u"서하린-보통", u"서하린-놀람", u"서하린-분노", u"서하린-기쁨", u"두강-부상",
    u"윤목-사악",   u"진태무-황제", u"두강-외눈",   u"윤목-정상",
};
static_assert(std::size(kItems) == FrmFaceChange20::kValues.size());

} // namespace

FrmFaceChange20::FrmFaceChange20(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
{
    setObjectName(QStringLiteral("FrmFaceChange20"));
    m_face = new QComboBox(this);
    m_face->setObjectName(QStringLiteral("cbFace"));
    m_face->setMaxVisibleItems(25);
    for (const char16_t *item : kItems)
        m_face->addItem(QString::fromUtf16(item));
    addLabelledRow(body(), this, "Label1", QStringLiteral("얼굴 "), m_face);

    // A stored value none of the nine items stands for shows as its number
    // and is kept until another item is chosen.
    const int stored = field(9, 2) & 0xFFFF;
    const auto it = std::find(kValues.begin(), kValues.end(), stored);
    if (it == kValues.end()) {
        m_face->addItem(QString::number(stored));
        m_face->setCurrentIndex(m_face->count() - 1);
        m_kept = stored;
    } else {
        m_face->setCurrentIndex(int(it - kValues.begin()));
    }
}

bool FrmFaceChange20::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    const int i = m_face->currentIndex();
    if (i >= int(kValues.size()) && m_kept >= 0)
        setField(key, 9, 2, m_kept);
    else
        setField(key, 9, 2, kValues[std::size_t(std::clamp(i, 0, int(kValues.size()) - 1))]);
    return true;
}

namespace {

[[maybe_unused]] const bool registered = workspace::registerEditDialog(
    FrmFaceChange20::kCode, [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        return std::make_unique<FrmFaceChange20>(ctx);
    });

} // namespace

} // namespace commands
