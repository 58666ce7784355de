#pragma once
// What a command dialog, preview or picker gets from the workspace, in two
// halves: the edit target (the document it works on, the node it edits, the
// kind of scenario, and what an edit reaches the document through) and the
// program's services (game data, name tables, settings, prompts, owner
// window). Lower layers get values and callbacks here; they never look into
// the workspace's windows, and nothing here lives from one call to the next.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/edit_history.h"
#include "core/key_serial.h"
#include "core/settings.h"
#include "platform/prompts.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace core::game {
struct GameData;
}

namespace workspace {

class NewCommands;

// Where a scenario's places are: on the battle map (a battle scenario) or on
// the story stage.
enum class ScenarioKind { Battle, Story };

// A tab caption holding the letter s (either case) is a battle scenario's;
// "Scenario", the caption of every untitled document, holds one.
inline ScenarioKind scenarioKindOfCaption(const QString &tabCaption)
{
    return tabCaption.toLower().contains(u's') ? ScenarioKind::Battle : ScenarioKind::Story;
}

// What a command dialog hands back at OK: the command's new key and the
// change of its record's byte length. The dispatch applies it; a dialog
// never writes the document itself.
struct KeyChange
{
    QString key;
    int lengthDelta = 0;
    // The army tables store the key and leave the caption as it was.
    bool keepCaption = false;
};

using MarkModified = std::function<void()>;
using SelectNode = std::function<void(core::NodeId node)>;
// Told of each edit after it was pushed onto the undo stack: the node, which
// by now holds the new key and caption, and what it held before.
using RecordEdit = std::function<void(core::NodeId node, const QString &oldKey, const QString &oldCaption,
                                      const QString &newKey, const QString &newCaption)>;
using SettingReader = std::function<QString(const QString &section, const QString &key)>;
using SettingWriter = std::function<bool(const QString &section, const QString &key, const QString &value)>;

// What an edit is about: the document and the node, and what reaches that
// document (its modified mark, its undo stack, its selection). Made afresh
// for each call, pointed at the current tab; the dispatch captures it when a
// dialog opens, so a tab switch while the dialog is open cannot redirect the
// edit.
struct EditTarget
{
    explicit EditTarget(core::DocTree &document) : tree(&document) {}

    core::DocTree &doc() const { return *tree; }

    core::DocTree *tree;
    // The node a command dialog edits (CurrentNode); set by the dispatch.
    core::NodeId node = core::kNoNode;
    // The command's name for the shared text dialog (CurrentMenuName); set
    // by the dispatch.
    QString menuName;
    // The window's one key serial counter, for dialogs that make nodes.
    core::KeySerial *keySerial = nullptr;
    // The document's commands that an add made and no OK has confirmed yet;
    // unset: every command is a stored one.
    NewCommands *newCommands = nullptr;
    // Set by the dispatch: the node is such a new command, so its dialog may
    // give it the values it shows. Never told from the node's key.
    bool newCommand = false;
    // Bound to this document (not to "whatever tab is current").
    MarkModified markModified;
    // The document's undo stack: every edit pushes its step here.
    core::EditHistory *history = nullptr;
    RecordEdit recordEdit;
    // Selects a node of this document, in the tree and in the view showing
    // it; unset: only the tree's selection changes.
    SelectNode selectNode;
    // The kind the window tells from the tab's caption; unset: told from the
    // document's root text (the file name, or "Scenario").
    std::optional<ScenarioKind> scenarioKind;

    // The answer of the command dialog that just closed with OK and a
    // change; empty after a cancel or an OK that changed nothing. Only the
    // dispatch reads and clears it.
    std::optional<KeyChange> change;
};

// What the program offers every dialog, whatever it edits: the game data,
// the name tables, the settings, the prompts and the owner window. The main
// window keeps one for the run.
struct ProgramServices
{
    const core::game::GameData *gameData = nullptr;  // null: no game folder read
    core::CaptionContext captions;
    SettingReader readSetting = [](const QString &s, const QString &k) { return core::readINI(s, k); };
    SettingWriter writeSetting = [](const QString &s, const QString &k, const QString &v) {
        return core::writeINI(s, k, v);
    };
    QWidget *parent = nullptr;               // the main window: owner of every dialog
    platform::Prompts *prompts = nullptr;    // null: the program's prompts
    platform::Prompts &ask() const { return prompts ? *prompts : platform::Prompts::instance(); }
    // The name tables of the game folder read, else those the captions use
    // (null when neither has any).
    const core::NameTables *nameTables() const;
};

// Both halves, as a dialog gets them for one call.
struct EditContext : EditTarget, ProgramServices
{
    explicit EditContext(core::DocTree &document) : EditTarget(document) {}
    EditContext(const EditTarget &target, const ProgramServices &services)
        : EditTarget(target), ProgramServices(services)
    {
    }
};

} // namespace workspace
