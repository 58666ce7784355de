#pragma once
// The preview windows of the text dialogs, opened by name through the
// workspace's tool registry (so tests can put fakes in their place). Each
// reads what the dialog left in sharedDialoguePages().
#include "workspace/edit_context.h"

#include <QString>

class QMenuBar;
class QAction;
class QDialog;

namespace commands {

inline const QString kTalkViewTool = QStringLiteral("FrmTalkView");
inline const QString kExplanationTool = QStringLiteral("FrmExplanation");
inline const QString kSelectViewTool = QStringLiteral("FrmSelectView");

// Shows the preview modally over the dialog that asks for it.
void openTextPreview(const QString &tool, workspace::EditContext &ctx);

// The dialog's menu bar with "미리보기 (&V)" (mnuview).
QAction *addPreviewMenu(QDialog *dialog);

// The game folder the previews read from: the stored setting.
QString previewGameFolder(const workspace::ProgramServices &ctx);

} // namespace commands
