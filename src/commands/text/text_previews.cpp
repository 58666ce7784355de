#include "commands/text/text_previews.h"

#include "workspace/dialog_registry.h"

#include <QAction>
#include <QDialog>
#include <QLayout>
#include <QMenuBar>

namespace commands {

void openTextPreview(const QString &tool, workspace::EditContext &ctx)
{
    workspace::DialogRegistry::instance().runTool(tool, ctx);
}

QAction *addPreviewMenu(QDialog *dialog)
{
    auto *bar = new QMenuBar(dialog);
    QAction *view = bar->addAction(QStringLiteral("미리보기 (&V)"));
    view->setObjectName(QStringLiteral("mnuview"));
    dialog->layout()->setMenuBar(bar);
    return view;
}

QString previewGameFolder(const workspace::ProgramServices &ctx)
{
    return ctx.readSetting(QStringLiteral("Folder"), QStringLiteral("Path")).trimmed();
}

} // namespace commands
