#include "commands/units/unit_preview.h"

#include "core/game/game_data.h"
#include "core/game/game_files.h"
#include "core/game/sprite_palette.h"
#include "core/game/unit_sprites.h"

namespace commands {

namespace {

QString gameFolder(const workspace::EditContext &ctx)
{
    return ctx.gameData ? ctx.gameData->folder : core::game::FolderLoad();
}

} // namespace

PreviewDraw facingPreview(int model, int poseIndex, int facingIndex)
{
    const core::game::FacingSheet f = core::game::SheetForFacing(facingIndex);
    return {core::game::UnitSheetEntry(model, f.sheet), core::game::PoseFrame(poseIndex), f.mirrored};
}

PreviewDraw frontPreview(int model, int poseIndex)
{
    return {core::game::UnitSheetEntry(model, 0), core::game::PoseFrame(poseIndex), false};
}

PreviewDraw modelPreview(int modelIndex)
{
    return {core::game::UnitSheetEntry(modelIndex, 0), 0, false};
}

std::optional<int> personMapModel(const workspace::EditContext &ctx, int person)
{
    if (person < 0 || person >= core::game::kPersonCount)
        return std::nullopt;
    if (ctx.gameData && !ctx.gameData->persons.empty()) {
        if (std::size_t(person) >= ctx.gameData->persons.size())
            return std::nullopt;
        return ctx.gameData->persons[std::size_t(person)].mapModel;
    }
    const int model = core::game::PersonMapModel(gameFolder(ctx), person);
    return model < 0 ? std::nullopt : std::optional<int>(model);
}

QImage renderPreview(const workspace::EditContext &ctx, const PreviewDraw &draw)
{
    const QImage frame = core::game::UnitSpriteFrame(gameFolder(ctx), draw.sheet, draw.frame);
    const QImage sprite = core::game::KeyedTransparent(frame);
    return draw.mirrored ? core::game::MirrorLeftRight(sprite) : sprite;
}

} // namespace commands
