#include "workspace/edit_dispatch.h"

#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/key_edit.h"
#include "core/tree_queries.h"
#include "workspace/dialog_registry.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace workspace {

namespace {

struct FormEntry
{
    int code;
    const char *form;
};

constexpr char kSharedTextForm[] = "FrmString";

// Every code with an edit dialog; the 25 codes missing here have none.
constexpr std::array<FormEntry, 97> kForms{{
    {0x02, kSharedTextForm},
    {0x04, "FrmCheck4"},
    {0x05, "FrmVar5"},
    {0x06, "FrmCharWar6"},
    {0x08, "FrmMenu8"},
    {0x09, "FrmDelay9"},
    {0x0B, "FrmVarSetB"},
    {0x0F, "FrmFinishF"},
    {0x11, "FrmEEXMove11"},
    {0x12, "FrmSelect12"},
    {0x13, "FrmCase13"},
    {0x14, kSharedTextForm},
    {0x15, "FrmTalk15"},
    {0x16, kSharedTextForm},
    {0x17, kSharedTextForm},
    {0x18, kSharedTextForm},
    {0x19, kSharedTextForm},
    {0x1A, kSharedTextForm},
    {0x1B, "FrmDieSaid1B"},
    {0x1F, "FrmMap1F"},
    {0x20, "FrmFaceChange20"},
    {0x21, "FrmThingsAdd21"},
    {0x22, "FrmMovie22"},
    {0x23, "FrmMusic23"},
    {0x24, "FrmTrack24"},
    {0x25, "FrmEntryPlace25"},
    {0x26, "FrmEntryZone26"},
    {0x27, "FrmBackGround27"},
    {0x28, "FrmR28"},
    {0x29, "FrmMapFaceShow29"},
    {0x2A, "FrmMapFaceMove2A"},
    {0x2B, "FrmMapFaceRemove2B"},
    {0x2C, "FrmMapWordShow2C"},
    {0x2D, "FrmCharClick2D"},
    {0x2E, "FrmCharMeet2E"},
    {0x30, "FrmCharAdvent30"},
    {0x31, "FrmCharDisappear31"},
    {0x32, "FrmCharMove32"},
    {0x33, "FrmCharDirection33"},
    {0x34, "FrmCharActive34"},
    {0x35, "FrmRModelChange35"},
    {0x36, "FrmIsCharAbility36"},
    {0x37, "FrmIsThings37"},
    {0x38, "FrmSetCharAbility38"},
    {0x39, "FrmCharLvAdd39"},
    {0x3A, "FrmSetThings3A"},
    {0x3B, "FrmJoinChar3B"},
    {0x3C, "FrmIsJoinChar3C"},
    {0x3D, "FrmGetItem3D"},
    {0x3E, "FrmSetCharEquipment3E"},
    {0x3F, "FrmIsTurn3F"},
    {0x40, "FrmIsWhoTurn40"},
    {0x41, "FrmIsMapCharNum41"},
    {0x45, "FrmSetWar45"},
    {0x46, "FrmAlliedArmy46"},
    {0x47, "FrmEnemy47"},
    {0x48, "FrmEnemyEquipment48"},
    {0x4A, "FrmForceGoWar4A"},
    {0x4B, "FrmSetCharWar4B"},
    {0x4C, "FrmAdventCharHide4C"},
    {0x4D, "FrmChangeCondition4D"},
    {0x4E, "FrmChangeCharPolicy4E"},
    {0x4F, "FrmSetDirection4F"},
    {0x50, "FrmSetActive50"},
    {0x52, "FrmChangeTroop52"},
    {0x53, "FrmCharRetreat53"},
    {0x55, "FrmRevival55"},
    {0x56, "FrmSetWeatherKind56"},
    {0x57, "FrmSetWeather57"},
    {0x58, "FrmSetObstacle58"},
    {0x59, "FrmSpoils59"},
    {0x5B, "FrmImportanceZone5B"},
    {0x5C, "FrmImportanceChar5C"},
    {0x5D, "FrmSetTurn5D"},
    {0x60, "FrmVSAdvent60"},
    {0x62, "FrmVsDeath62"},
    {0x63, "FrmVSSay63"},
    {0x64, "FrmVSActive64"},
    {0x65, "FrmVSAttack65"},
    {0x66, "FrmVSAttack66"},
    {0x67, "FrmScene67"},
    {0x68, "FrmVSStart68"},
    {0x69, kSharedTextForm},
    {0x6B, "FrmMagic6B"},
    {0x6C, "FrmCopyAbility6C"},
    {0x6D, "FrmRelativeMove6D"},
    {0x6E, "FrmPercent6E"},
    {0x6F, "FrmDesertItem6F"},
    {0x70, "FrmCopySelectingAbility70"},
    {0x71, "FrmSpecial71"},
    {0x72, "FrmSendInformation72"},
    {0x73, "FrmCompareAbility73"},
    {0x74, "FrmSetSave74"},
    {0x75, "FrmSetSModel75"},
    {0x77, "FrmComputeVar77"},
    {0x78, "FrmSetVar78"},
    {0x79, "FrmCompareVar79"},
}};

const FormEntry *formOf(int code)
{
    auto it = std::lower_bound(kForms.begin(), kForms.end(), code,
                               [](const FormEntry &e, int c) { return e.code < c; });
    return it != kForms.end() && it->code == code ? &*it : nullptr;
}

bool hasChildOfCode(const core::DocTree &tree, core::NodeId parent, int code)
{
    for (core::NodeId c = tree.firstChild(parent); c != core::kNoNode; c = tree.next(c))
        if (core::NodeNumber(tree, c) == code)
            return true;
    return false;
}

} // namespace

QString editFormName(int code)
{
    const FormEntry *e = formOf(code);
    return e ? QString::fromLatin1(e->form) : QString();
}

bool hasEditDialog(int code)
{
    return formOf(code) != nullptr;
}

bool usesSharedTextDialog(int code)
{
    const FormEntry *e = formOf(code);
    return e && e->form == kSharedTextForm;
}

bool canOpenEditor(const core::DocTree &tree, core::NodeId node)
{
    if (!tree.isValid(node) || tree.indexOf(node) == 1)
        return false;
    const QString &text = tree.text(node);
    return !core::IsScene(text) && !core::IsSection(text);
}

bool applyKeyChange(core::DocTree &tree, core::NodeId node, const KeyChange &change,
                    const core::CaptionContext &captions, const RecordEdit &recordEdit, core::EditHistory *history)
{
    if (!tree.isValid(node))
        return false;
    const QString oldKey = tree.key(node);
    const QString oldCaption = tree.text(node);
    if (change.key == oldKey)
        return false;
    if (change.lengthDelta != 0 && !core::KeyEditCheck(tree, node, change.lengthDelta))
        return false;
    if (!tree.setKey(node, change.key))
        return false;
    if (change.lengthDelta != 0 && !core::KeyEdit(tree, node, change.lengthDelta)) {
        tree.setKey(node, oldKey);
        return false;
    }
    if (!change.keepCaption)
        tree.setText(node, core::commandCaption(change.key, core::CaptionSite::Creation,
                                                core::holdsNestedList(tree, node), captions));
    if (history)
        history->record(std::make_unique<core::ReplaceKeyCommand>(core::UndoTarget{&tree, &history->refs()}, node,
                                                                  oldKey, oldCaption));
    if (recordEdit)
        recordEdit(node, oldKey, oldCaption, change.key, tree.text(node));
    return true;
}

bool NodeEditDialog(EditContext &ctx)
{
    // What the edit is about is fixed here, before anything can switch tabs.
    core::DocTree &tree = ctx.doc();
    const core::NodeId node = tree.selected();
    if (node == core::kNoNode)
        return false;
    const MarkModified markModified = ctx.markModified;
    const RecordEdit recordEdit = ctx.recordEdit;
    core::EditHistory *const history = ctx.history;

    ctx.node = node;
    ctx.change.reset();
    const int code = core::NodeNumber(tree, node);
    if (usesSharedTextDialog(code))
        ctx.currentMenuName = core::MenuName(code);
    if (hasEditDialog(code))
        DialogRegistry::instance().runDialog(code, ctx);

    const std::optional<KeyChange> change = std::exchange(ctx.change, std::nullopt);
    if (!change || !applyKeyChange(tree, node, *change, ctx.captions, recordEdit, history))
        return false;
    if (markModified)
        markModified();
    return true;
}

bool openNodeEditor(EditContext &ctx)
{
    if (!canOpenEditor(ctx.doc(), ctx.doc().selected()))
        return false;
    return NodeEditDialog(ctx);
}

bool showDuelPreviewItem(const core::DocTree &tree, core::NodeId selected)
{
    return hasChildOfCode(tree, selected, 0x68);
}

bool showWholeArmyItem(const core::DocTree &tree, core::NodeId selected)
{
    return hasChildOfCode(tree, selected, 0x4B);
}

void DuelPreview(EditContext &ctx)
{
    DialogRegistry::instance().runTool(kDuelPreviewTool, ctx);
}

void DuelPreviewSpeed(EditContext &ctx)
{
    DialogRegistry::instance().runTool(kDuelPreviewSpeedTool, ctx);
}

void WholeArmyPlacement(EditContext &ctx)
{
    ctx.armyMap.mode = 5;
    ctx.armyMap.whole = true;
    DialogRegistry::instance().runTool(kBattleMapPickerTool, ctx);
}

void VariableList(EditContext &ctx)
{
    DialogRegistry::instance().runTool(kVariableListTool, ctx);
}

std::vector<core::NodeId> wholeArmyTargets(const core::DocTree &tree, core::NodeId parent)
{
    std::vector<core::NodeId> targets;
    for (core::NodeId c = tree.firstChild(parent); c != core::kNoNode; c = tree.next(c)) {
        if (int(targets.size()) >= kMaxWholeArmyUnits)
            break;
        if (core::NodeNumber(tree, c) == 0x4B)
            targets.push_back(c);
    }
    return targets;
}

int WholeArmyPlace(EditContext &ctx, core::NodeId parent, const std::vector<QPoint> &cells)
{
    core::DocTree &tree = ctx.doc();
    const MarkModified markModified = ctx.markModified;
    const std::vector<core::NodeId> targets = wholeArmyTargets(tree, parent);
    const std::size_t n = std::min(targets.size(), cells.size());
    int placed = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const core::NodeId unit = targets[i];
        QString key = tree.key(unit);
        // A key too short for the two fields is not an own-unit placement
        // that the picker can rewrite; leave it alone.
        if (!core::keyWriteFieldChecked(key, 21, 4, cells[i].x())
            || !core::keyWriteFieldChecked(key, 33, 4, cells[i].y()))
            continue;
        if (applyKeyChange(tree, unit, KeyChange{key, 0, false}, ctx.captions, ctx.recordEdit, ctx.history))
            ++placed;
    }
    if (placed > 0 && markModified)
        markModified();
    return placed;
}

bool documentHasVariables(const core::DocTree &tree)
{
    for (int code : {0x05, 0x0B}) {
        core::NodeId n = tree.root();
        if (n != core::kNoNode && core::MenuFind(tree, n, 0, code, QString(), false))
            return true;
    }
    return false;
}

} // namespace workspace
