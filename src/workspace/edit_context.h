#pragma once
// What a command dialog, preview or picker gets from the workspace: the
// document it works on, the node it edits, the kind of scenario, the name
// tables, settings access, the owner window, the prompts, and what an edit
// reaches the document through (its modified mark, the undo stack every
// edit is pushed onto, the selection). Lower layers get values and
// callbacks here; they never look into the workspace's windows.
//
// The main window keeps one context for the run: the fields below the
// document part (the menu name of the shared text dialog, the battle-map
// picker's call protocol) keep their values from one edit to the next, as the
// dialogs expect. The window points the document part at the current tab
// before each call; the dispatch captures that part when a dialog opens, so a
// tab switch while the dialog is open cannot redirect the edit.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/edit_history.h"
#include "core/key_serial.h"
#include "core/settings.h"
#include "platform/prompts.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;

namespace core::game {
struct GameData;
}

namespace workspace {

// Where a scenario's places are: on the battle map (a battle scenario) or on
// the story stage.
enum class ScenarioKind { Battle, Story };

// A tab caption holding the letter s (either case) is a battle scenario's;
// "Scenario", the caption of every untitled document, holds one.
inline ScenarioKind scenarioKindOfCaption(const QString &tabCaption)
{
    return tabCaption.toLower().contains(u's') ? ScenarioKind::Battle : ScenarioKind::Story;
}

// The battle-map picker's call protocol: what an opener sets before it shows
// the picker. A picked cell arrives as decimal text in the opener's boxes,
// whose own change handlers take it up; nothing else is returned.
struct ArmyMapProtocol
{
    // 1 the allied slot table, 2 the enemy slot table (the unit's own cell),
    // 3 two corners, 4 one cell, 5 placement of own units (command 0x4B),
    // 6 the cell of a battlefield thing or obstacle.
    int mode = 0;
    // With mode 5: place every own-unit command among the selected node's
    // children in turn instead of one.
    bool whole = false;
    // The opening dialog's coordinate boxes that receive the chosen cells
    // (element 0 and, for two corners, element 1). With mode 5 for one unit,
    // xBox[1] is the opener's battlefield-index box.
    QLineEdit *xBox[2] = {nullptr, nullptr};
    QLineEdit *yBox[2] = {nullptr, nullptr};
    // Modes 1 and 2: the army dialog's slot list and the unit cell of each
    // slot (copies of its working values, one per list entry).
    QListWidget *list = nullptr;
    std::vector<int> unitX;
    std::vector<int> unitY;
    // Mode 6: the edited node and the object kind chosen in its dialog.
    core::NodeId objectNode = core::kNoNode;
    int objectKind = 0;
    // Mode 5 with `whole`, set by the opener: the own-unit commands the run
    // places, in order, and what writes the picked cells to them (the first
    // cell to the first unit) as edits of the document; it returns how many
    // commands changed.
    std::vector<core::NodeId> wholeUnits;
    std::function<int(const std::vector<QPoint> &cells)> placeWholeArmy;
};

// The story-stage picker's call protocol.
struct StageMapProtocol
{
    // Two points (first click, then second) instead of one cell and a facing.
    bool twoPoint = false;
    bool pixelMode = false;
    QLineEdit *xBox = nullptr;
    QLineEdit *yBox = nullptr;
    QLineEdit *x2Box = nullptr;
    QLineEdit *y2Box = nullptr;
    // One cell: the facing list (0 north, 1 east, 2 south, 3 west, 4 the
    // default facing) and the person drawn at the cell (0: none).
    QComboBox *dirCombo = nullptr;
    int person = 0;
};

// The world-map face picker's call protocol.
struct WorldMapProtocol
{
    QLineEdit *faceXBox = nullptr;
    QLineEdit *faceYBox = nullptr;
    int facePerson = 0;
    // True when the face is moved (a line from its replayed place follows
    // the pointer), false when it is shown.
    bool faceMoving = false;
};

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

struct EditContext
{
    explicit EditContext(core::DocTree &document) : tree(&document) {}

    core::DocTree &doc() const { return *tree; }

    // --- the document part, pointed at the current tab before each call ---
    core::DocTree *tree;
    // The node a command dialog edits (CurrentNode); set by the dispatch.
    core::NodeId node = core::kNoNode;
    // The window's one key serial counter, for dialogs that make nodes.
    core::KeySerial *keySerial = nullptr;
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

    // --- the rest of the program ---
    const core::game::GameData *gameData = nullptr;  // null: no game folder read
    core::CaptionContext captions;
    SettingReader readSetting = [](const QString &s, const QString &k) { return core::ReadINI(s, k); };
    SettingWriter writeSetting = [](const QString &s, const QString &k, const QString &v) {
        return core::WriteINI(s, k, v);
    };
    QWidget *parent = nullptr;               // the main window: owner of every dialog
    platform::Prompts *prompts = nullptr;    // null: the program's prompts
    platform::Prompts &ask() const { return prompts ? *prompts : platform::Prompts::instance(); }

    // --- kept from one call to the next ---
    // The command's name for the shared text dialog (CurrentMenuName); only
    // the dispatch writes it.
    QString currentMenuName;
    ArmyMapProtocol armyMap;
    StageMapProtocol stageMap;
    WorldMapProtocol worldMap;
};

} // namespace workspace
