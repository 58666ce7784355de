#pragma once
// What a dialog asks of the three map pickers, and what they answer. The
// opener reads its own boxes into the request and writes the answer into
// them; a picker knows nothing of the opener's controls and keeps nothing
// from one call to the next.
#include "core/doc_tree.h"

#include <QPoint>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace workspace {

struct EditContext;

// The battle-map picker's modes.
enum BattleMapMode {
    kAlliedSlotCell = 1,   // an allied army-table slot's own cell
    kEnemySlotCell = 2,    // an enemy army-table slot's own cell
    kTwoCorners = 3,       // a rectangle by two clicks
    kOneCell = 4,
    kOwnUnitCell = 5,      // the place of an own unit (command 0x4B)
    kBattlefieldThing = 6, // the cell of a battlefield thing or obstacle
};

struct BattleMapRequest
{
    int mode = kOneCell;
    // Mode 5 only: place the own units of the selected node's children one
    // after another (`runUnits` of them) instead of one.
    bool whole = false;
    std::size_t runUnits = 0;
    // The cells the opener's boxes hold now: the first point and, for two
    // corners, the second.
    int x0 = 0, y0 = 0;
    int x1 = 0, y1 = 0;
    // Mode 5 for one unit: the opener's battlefield-index box.
    int sortieIndex = 0;
    // Modes 1 and 2: the army table's slot names and each slot's cell.
    QStringList unitNames;
    std::vector<int> unitX, unitY;
    // Mode 6: the edited thing and the kind chosen in its dialog.
    core::NodeId objectNode = core::kNoNode;
    int objectKind = 0;
};

struct BattleMapPick
{
    QPoint first;                  // the cell, or the first corner
    std::optional<QPoint> second;  // two corners: the second
    // The whole-list run: the cells clicked, in order (possibly none when the
    // run was ended at once with Esc).
    std::vector<QPoint> run;
};

struct StageMapRequest
{
    // Two points (first click, then second) instead of one cell and a facing.
    bool twoPoint = false;
    QPoint start;  // the cell the opener's boxes hold now
    // One cell: the index of the opener's facing list (0 north, 1 east,
    // 2 south, 3 west, 4 the default facing), -1 when it has none, and the
    // person drawn at the cell (0: none).
    int facingIndex = -1;
    int person = 0;
};

struct StageMapPick
{
    QPoint first;                  // the cell, or the first corner
    std::optional<QPoint> second;  // two points: the second, when it was clicked
    std::optional<int> facing;     // one cell: the chosen facing (0..3)
};

struct WorldMapRequest
{
    QPoint start;  // the face position the opener's boxes hold now
    int person = 0;
    // True when the face is moved (a line from its replayed place follows
    // the pointer), false when it is shown.
    bool moving = false;
};

// Each picker shows its window modally over the context's owner and returns
// what was picked, or nothing when it was closed without a choice. The
// pickers register themselves at start-up; tests stand in their own.
struct MapPickers
{
    std::function<std::optional<BattleMapPick>(EditContext &ctx, const BattleMapRequest &request)> battle{};
    std::function<std::optional<StageMapPick>(EditContext &ctx, const StageMapRequest &request)> stage{};
    std::function<std::optional<QPoint>(EditContext &ctx, const WorldMapRequest &request)> world{};
};

} // namespace workspace
