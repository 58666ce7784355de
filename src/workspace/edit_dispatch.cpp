#include "workspace/edit_dispatch.h"

#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/key_edit.h"
#include "core/section_check.h"
#include "core/tree_queries.h"
#include "workspace/dialog_registry.h"
#include "workspace/duel_speed_dialog.h"
#include "platform/prompts.h"
#include "workspace/new_commands.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace workspace {

namespace {

// The title of an edit refused because its Section would no longer save.
const QString kEditRefusedTitle = QStringLiteral("Error！");

bool hasChildOfCode(const core::DocTree &tree, core::NodeId parent, int code)
{
    for (core::NodeId c = tree.firstChild(parent); c != core::kNoNode; c = tree.next(c))
        if (core::nodeNumber(tree, c) == code)
            return true;
    return false;
}

} // namespace

QString editFormName(int code)
{
    return core::hasEditDialog(code) ? DialogRegistry::instance().formName(code) : QString();
}

bool usesSharedTextDialog(int code)
{
    return editFormName(code) == kSharedTextForm;
}

bool canOpenEditor(const core::DocTree &tree, core::NodeId node)
{
    if (!tree.isValid(node) || tree.indexOf(node) == 1)
        return false;
    const QString &text = tree.text(node);
    return !core::isScene(text) && !core::isSection(text);
}

bool applyKeyChange(core::DocTree &tree, core::NodeId node, const KeyChange &change,
                    const core::CaptionContext &captions, const RecordEdit &recordEdit, core::EditHistory *history,
                    QString *refusal)
{
    if (!tree.isValid(node))
        return false;
    const QString oldKey = tree.key(node);
    const QString oldCaption = tree.text(node);
    if (change.key == oldKey)
        return false;
    if (change.lengthDelta != 0 && !core::keyEditCheck(tree, node, change.lengthDelta))
        return false;
    core::SectionGuard guard(tree);
    guard.touch(node);
    if (!tree.setKey(node, change.key))
        return false;
    if (change.lengthDelta != 0 && !core::keyEdit(tree, node, change.lengthDelta)) {
        tree.setKey(node, oldKey);
        return false;
    }
    if (!change.keepCaption)
        tree.setText(node, core::commandCaption(change.key, core::CaptionSite::Creation,
                                                core::holdsNestedList(tree, node), captions));
    const QString refused = core::takeBackIfUnsaveable(tree, guard, [&] {
        if (change.lengthDelta != 0)
            core::keyEdit(tree, node, -change.lengthDelta);
        tree.setKey(node, oldKey);
        tree.setText(node, oldCaption);
    });
    if (!refused.isEmpty()) {
        if (refusal)
            *refusal = refused;
        return false;
    }
    if (history)
        history->record(std::make_unique<core::ReplaceKeyCommand>(core::UndoTarget{&tree, &history->refs()}, node,
                                                                  oldKey, oldCaption));
    if (recordEdit)
        recordEdit(node, oldKey, oldCaption, change.key, tree.text(node));
    return true;
}

bool editNodeInDialog(EditContext &ctx)
{
    // What the edit is about is fixed here, before anything can switch tabs.
    core::DocTree &tree = ctx.doc();
    const core::NodeId node = tree.selected();
    if (node == core::kNoNode)
        return false;
    const MarkModified markModified = ctx.markModified;
    const RecordEdit recordEdit = ctx.recordEdit;
    core::EditHistory *const history = ctx.history;

    NewCommands *const newCommands = ctx.newCommands;

    ctx.node = node;
    ctx.change.reset();
    ctx.newCommand = newCommands && newCommands->contains(tree, node);
    const int code = core::nodeNumber(tree, node);
    if (usesSharedTextDialog(code))
        ctx.menuName = core::menuName(code);
    bool confirmed = false;
    if (core::hasEditDialog(code)) {
        const DialogRegistry &registry = DialogRegistry::instance();
        if (const std::unique_ptr<QDialog> dialog = registry.createDialog(code, ctx)) {
            registry.run(*dialog, ctx);
            confirmed = dialog->result() == QDialog::Accepted;
        }
    }

    const std::optional<KeyChange> change = std::exchange(ctx.change, std::nullopt);
    QString refusal;
    const bool applied = change && applyKeyChange(tree, node, *change, ctx.captions, recordEdit, history, &refusal);
    // After its first OK a new command is stored like any other; an OK the
    // document refused left it as it was, new.
    if (confirmed && refusal.isEmpty() && newCommands)
        newCommands->settle(node);
    if (!applied) {
        if (!refusal.isEmpty())
            platform::Prompts::instance().message(ctx.parent, refusal, kEditRefusedTitle, platform::MsgButtons::Ok,
                                                  platform::MsgIcon::Critical);
        return false;
    }
    if (markModified)
        markModified();
    return true;
}

bool openNodeEditor(EditContext &ctx)
{
    if (!canOpenEditor(ctx.doc(), ctx.doc().selected()))
        return false;
    return editNodeInDialog(ctx);
}

bool showDuelPreviewItem(const core::DocTree &tree, core::NodeId selected)
{
    return hasChildOfCode(tree, selected, 0x68);
}

bool showWholeArmyItem(const core::DocTree &tree, core::NodeId selected)
{
    return hasChildOfCode(tree, selected, 0x4B);
}

void runDuelPreview(EditContext &ctx)
{
    DialogRegistry::instance().runTool(kDuelPreviewTool, ctx);
}

void editDuelPreviewSpeed(EditContext &ctx)
{
    // The setting is the workspace's own window; a test may stand in another.
    const DialogRegistry &registry = DialogRegistry::instance();
    if (registry.hasTool(kDuelPreviewSpeedTool)) {
        registry.runTool(kDuelPreviewSpeedTool, ctx);
        return;
    }
    DuelSpeedDialog dialog(ctx.parent);
    registry.run(dialog, ctx);
}

BattleMapRequest wholeArmyRequest(const core::DocTree &tree, core::NodeId parent)
{
    BattleMapRequest request;
    request.mode = kOwnUnitCell;
    request.whole = true;
    request.runUnits = wholeArmyTargets(tree, parent).size();
    return request;
}

void runWholeArmyPlacement(EditContext &ctx)
{
    const core::DocTree &tree = ctx.doc();
    const core::NodeId parent = tree.selected() != core::kNoNode ? tree.selected() : ctx.node;
    const MapPickers &pickers = DialogRegistry::instance().mapPickers();
    if (!pickers.battle)
        return;
    const std::optional<BattleMapPick> pick = pickers.battle(ctx, wholeArmyRequest(tree, parent));
    if (!pick)
        return;
    // A finished run marks the tab even when it placed nothing.
    if (placeArmyOnCells(ctx, parent, pick->run) == 0 && ctx.markModified)
        ctx.markModified();
}

void showVariableListDialog(EditContext &ctx)
{
    DialogRegistry::instance().runTool(kVariableListTool, ctx);
}

std::vector<core::NodeId> wholeArmyTargets(const core::DocTree &tree, core::NodeId parent)
{
    std::vector<core::NodeId> targets;
    for (core::NodeId c = tree.firstChild(parent); c != core::kNoNode; c = tree.next(c)) {
        if (int(targets.size()) >= kMaxWholeArmyUnits)
            break;
        if (core::nodeNumber(tree, c) == 0x4B)
            targets.push_back(c);
    }
    return targets;
}

int placeArmyOnCells(EditContext &ctx, core::NodeId parent, const std::vector<QPoint> &cells)
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
        QString refusal;
        if (applyKeyChange(tree, unit, KeyChange{key, 0, false}, ctx.captions, ctx.recordEdit, ctx.history, &refusal))
            ++placed;
        else if (!refusal.isEmpty())
            platform::Prompts::instance().message(ctx.parent, refusal, kEditRefusedTitle, platform::MsgButtons::Ok,
                                                  platform::MsgIcon::Critical);
    }
    if (placed > 0 && markModified)
        markModified();
    return placed;
}

bool documentHasVariables(const core::DocTree &tree)
{
    for (int code : {0x05, 0x0B}) {
        core::NodeId n = tree.root();
        if (n != core::kNoNode && core::menuFind(tree, n, 0, code, QString(), false))
            return true;
    }
    return false;
}

} // namespace workspace
