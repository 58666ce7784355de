#pragma once
// The edit dispatch: the one road of every parameter edit. The Space key, a
// double-click on a command node and the Edit menu's "수정 (&E)" all end in
// editNodeInDialog, which shows the dialog registered for the node's code and,
// when the node's key changed, marks the document modified and records the
// edit. Also the pop-up commands that open the duel preview, the battle-map
// picker for all own units and the variable list.
#include "workspace/dialog_registry.h"
#include "workspace/edit_context.h"
#include "workspace/map_picks.h"

#include <QPoint>
#include <QString>

#include <vector>

namespace workspace {

// The window name the code's dialog was registered with ("FrmCheck4";
// "FrmString" for the shared text dialog); empty for the 25 codes without
// one, for any code outside 0x00..0x79 and before registration.
QString editFormName(int code);
// The codes registered with the shared text dialog, which read
// the menu name of the edit target.
bool usesSharedTextDialog(int code);

// The openers' guard: false for the root (index 1), a Scene and a Section.
bool canOpenEditor(const core::DocTree &tree, core::NodeId node);

// The one road of every parameter edit: stores the new key unless it is
// the key the node holds, passes the change of length to the enclosing
// nested lists, rebuilds the caption and pushes one edit step onto the
// document's undo stack (`history`), then tells `recordEdit`. False, with
// nothing changed, when there is nothing to do or the change cannot be
// taken. A change after which the node's Section would no longer save is
// taken back at once: false, and `refusal` (when given) gets the message
// for the user. The caller marks the document.
bool applyKeyChange(core::DocTree &tree, core::NodeId node, const KeyChange &change,
                    const core::CaptionContext &captions, const RecordEdit &recordEdit,
                    core::EditHistory *history = nullptr, QString *refusal = nullptr);

// The dispatch on the selected node of ctx's tree: shows the node's dialog
// and applies what it hands back. Returns true when the key changed, that
// is when the document was marked and one edit step pushed. The document,
// the node, its undo stack and the callbacks are captured when the dialog
// opens; whatever the window does to ctx meanwhile, the step goes onto the
// stack of the document that was edited.
bool editNodeInDialog(EditContext &ctx);
// Double-click, Space and "수정 (&E)": the guard, then the dispatch. False
// when the guard stopped it (ctx.node is then left as it was) or nothing
// was recorded.
bool openNodeEditor(EditContext &ctx);

// Pop-up visibility: a child of the selected node is a duel start (0x68) /
// an own-unit placement (0x4B).
bool showDuelPreviewItem(const core::DocTree &tree, core::NodeId selected);
bool showWholeArmyItem(const core::DocTree &tree, core::NodeId selected);

// "일기토 미리보기": the duel preview of the selected node's children.
void runDuelPreview(EditContext &ctx);
// "일기토 미리보기 배속 설정": the preview speed setting.
void editDuelPreviewSpeed(EditContext &ctx);
// "전 아군 좌표 찍기": the battle-map picker in mode 5, placing every own
// unit; the placement goes through the same road as every edit.
void runWholeArmyPlacement(EditContext &ctx);
// What that run asks of the picker: mode 5 for every own unit among the
// children of `parent`.
BattleMapRequest wholeArmyRequest(const core::DocTree &tree, core::NodeId parent);
// "변량 리스트 (&L)": the variable list of the current document.
void showVariableListDialog(EditContext &ctx);

// The placement of all own units, as the battle-map picker finishes it:
// the own-unit commands (0x4B) among the children of `parent`, at most 40,
// take the cells in order (x and y as 4-byte values at characters 21 and
// 33), get their rebuilt captions and one edit step each on the document's
// undo stack (the dispatch's road, applyKeyChange); then the
// document is marked once. Other children are left untouched. Returns the
// number of commands rewritten.
constexpr int kMaxWholeArmyUnits = 40;
std::vector<core::NodeId> wholeArmyTargets(const core::DocTree &tree, core::NodeId parent);
int placeArmyOnCells(EditContext &ctx, core::NodeId parent, const std::vector<QPoint> &cells);

// Whether the document holds a variable test (0x05) or setting (0x0B).
bool documentHasVariables(const core::DocTree &tree);

} // namespace workspace
