#pragma once
// What the main window's add commands and quick-add keys use of the add
// dialogs. The desktop implementation shows the modal dialogs owned by
// `parent`; tests of the add commands install ScriptedAddDialogs and answer
// in advance, as with platform::Prompts.
//
// The dialogs only choose; the caller inserts the command in front of the
// selected node, marks the tab and records the undo step.
#include "workspace/add_dialogs/fast_add_settings.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

class QWidget;

namespace workspace::add_dialogs {

class AddDialogs
{
public:
    virtual ~AddDialogs() = default;

    // HeadAddDialog: a command for a Section's head list.
    virtual std::optional<int> chooseHeadCommand(QWidget *parent) = 0;
    // BodyAddDialog: a command for a body or nested list.
    virtual std::optional<int> chooseBodyCommand(QWidget *parent) = 0;
    // ChildEventAddDialog: the block command of a child event (the caller adds
    // the marker before it and the end node inside it).
    virtual std::optional<int> chooseChildEvent(QWidget *parent) = 0;
    // QuickAddSettingsDialog; true when the settings were saved.
    virtual bool editFastAdd(QWidget *parent) = 0;

    static AddDialogs &instance();
    // nullptr restores the desktop dialogs.
    static void setInstance(AddDialogs *dialogs);
};

class DesktopAddDialogs : public AddDialogs
{
public:
    std::optional<int> chooseHeadCommand(QWidget *parent) override;
    std::optional<int> chooseBodyCommand(QWidget *parent) override;
    std::optional<int> chooseChildEvent(QWidget *parent) override;
    bool editFastAdd(QWidget *parent) override;
};

// Answers from queues filled by a test; an empty queue answers "cancelled".
// Records which dialog was asked for, by its object name. While alive it is
// the program's AddDialogs instance.
class ScriptedAddDialogs : public AddDialogs
{
public:
    ScriptedAddDialogs();
    ~ScriptedAddDialogs() override;

    std::deque<std::optional<int>> answers;
    std::deque<bool> fastAddAnswers;
    QStringList asked;  // "FrmSectionMenuAdd", "FrmMenuAdd", "FrmChildMenuAdd", "FrmFastAdd"

    std::optional<int> chooseHeadCommand(QWidget *parent) override;
    std::optional<int> chooseBodyCommand(QWidget *parent) override;
    std::optional<int> chooseChildEvent(QWidget *parent) override;
    bool editFastAdd(QWidget *parent) override;

private:
    std::optional<int> next(const char *dialog);
    AddDialogs *m_previous;
};

} // namespace workspace::add_dialogs
