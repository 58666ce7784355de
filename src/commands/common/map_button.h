#pragma once
// A dialog's "Map" button: one row says which picker it opens, in which
// mode, and which of the dialog's boxes (by objectName) give the start and
// receive the picked cells. A click reads the boxes into the picker's
// request, runs the picker, and writes what it picked into the boxes as
// decimal text, which their own handlers (and limits) take up. A picker
// closed without a choice leaves the boxes as they were.
#include <QString>

#include <functional>

class QPushButton;
class QWidget;

namespace workspace {
struct EditContext;
}

namespace commands {

enum class MapTarget {
    Battle,         // the battle-map picker
    Stage,          // the story-stage picker
    World,          // the world-map face picker
    BattleOrStage,  // the battle map in a battle scenario (by the tab caption), else the story stage
};

struct MapButtonRow {
    MapTarget target = MapTarget::Battle;
    const char *button = "cMap1";  // objectName of the button
    const char16_t *text = u"Map";
    // The battle map's mode: 3 two corners, 4 one cell, 5 an own unit's
    // place (x1 then names the battlefield-index box), 6 a battlefield object.
    int mode = 4;
    // The boxes of the first point and, for two corners, of the second.
    const char *x0 = "tX";
    const char *y0 = "tY";
    const char *x1 = nullptr;
    const char *y1 = nullptr;
    // Battle mode 6: the list of the object's kind (the edited node goes along)
    // and the key position of the kind, which a placeholder item of the list
    // keeps. The list's own items stand for the value of their index.
    const char *kindList = nullptr;
    int kindPos = 0;
    // The story stage, one cell: the facing list handed along.
    const char *direction = nullptr;
    // The world map: the face moves rather than appears.
    bool faceMoving = false;
};

// A whole number as a dialog's box holds it: the leading decimal number,
// 0 when there is none ("*5" reads 0).
int numberInBox(const QString &text);

// Opens the row's picker on the dialog's boxes. `person`: the person the
// story stage draws at the cell, or whose face the world map shows.
void openMapPicker(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row, int person = 0);

// A button for the row (no auto-default), wired to openMapPicker; `person`
// is asked at each click, `after` runs once the picker has closed. The
// caller places the button.
QPushButton *makeMapButton(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row,
                           std::function<int()> person = {}, std::function<void()> after = {});

} // namespace commands
