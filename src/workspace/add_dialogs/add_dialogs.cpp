#include "workspace/add_dialogs/add_dialogs.h"

#include "workspace/add_dialogs/add_command_dialog.h"
#include "workspace/add_dialogs/quick_add_settings_dialog.h"

namespace workspace::add_dialogs {

namespace {
AddDialogs *g_instance = nullptr;

// Each showing builds the dialog afresh; what it remembers lives in the
// run-wide memory of its kind.
std::optional<int> runAddDialog(AddDialogKind kind, QWidget *parent)
{
    AddCommandDialog dialog(kind, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenCode();
}
} // namespace

AddDialogs &AddDialogs::instance()
{
    static DesktopAddDialogs desktop;
    return g_instance ? *g_instance : desktop;
}

void AddDialogs::setInstance(AddDialogs *dialogs) { g_instance = dialogs; }

std::optional<int> DesktopAddDialogs::chooseHeadCommand(QWidget *parent)
{
    return runAddDialog(AddDialogKind::Head, parent);
}

std::optional<int> DesktopAddDialogs::chooseBodyCommand(QWidget *parent)
{
    return runAddDialog(AddDialogKind::Body, parent);
}

std::optional<int> DesktopAddDialogs::chooseChildEvent(QWidget *parent)
{
    return runAddDialog(AddDialogKind::ChildEvent, parent);
}

bool DesktopAddDialogs::editFastAdd(QWidget *parent)
{
    QuickAddSettingsDialog dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}

ScriptedAddDialogs::ScriptedAddDialogs() : m_previous(g_instance) { AddDialogs::setInstance(this); }

ScriptedAddDialogs::~ScriptedAddDialogs() { AddDialogs::setInstance(m_previous); }

std::optional<int> ScriptedAddDialogs::next(const char *dialog)
{
    asked.append(QString::fromLatin1(dialog));
    if (answers.empty())
        return std::nullopt;
    const std::optional<int> answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<int> ScriptedAddDialogs::chooseHeadCommand(QWidget *) { return next("FrmSectionMenuAdd"); }

std::optional<int> ScriptedAddDialogs::chooseBodyCommand(QWidget *) { return next("FrmMenuAdd"); }

std::optional<int> ScriptedAddDialogs::chooseChildEvent(QWidget *) { return next("FrmChildMenuAdd"); }

bool ScriptedAddDialogs::editFastAdd(QWidget *)
{
    asked.append(QStringLiteral("FrmFastAdd"));
    if (fastAddAnswers.empty())
        return false;
    const bool answer = fastAddAnswers.front();
    fastAddAnswers.pop_front();
    return answer;
}

} // namespace workspace::add_dialogs
