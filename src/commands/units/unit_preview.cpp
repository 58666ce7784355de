#include "commands/units/unit_preview.h"

#include "core/game/game_data.h"
#include "core/game/game_files.h"
#include "core/game/sprite_palette.h"
#include "core/game/unit_sprites.h"

namespace commands {

namespace {

QString gameFolder(const workspace::ProgramServices &ctx)
{
    return ctx.gameData ? ctx.gameData->folder : core::game::folderLoad();
}

} // namespace

PreviewDraw facingPreview(int model, int poseIndex, int facingIndex)
{
    const core::game::FacingSheet f = core::game::sheetForFacing(facingIndex);
    return {core::game::unitSheetEntry(model, f.sheet), core::game::poseFrame(poseIndex), f.mirrored};
}

PreviewDraw frontPreview(int model, int poseIndex)
{
    return {core::game::unitSheetEntry(model, 0), core::game::poseFrame(poseIndex), false};
}

PreviewDraw modelPreview(int modelIndex)
{
    return {core::game::unitSheetEntry(modelIndex, 0), 0, false};
}

std::optional<int> personMapModel(const workspace::ProgramServices &ctx, int person)
{
    if (person < 0 || person >= core::game::kPersonCount)
        return std::nullopt;
    if (ctx.gameData && !ctx.gameData->persons.empty()) {
        if (std::size_t(person) >= ctx.gameData->persons.size())
            return std::nullopt;
        return ctx.gameData->persons[std::size_t(person)].mapModel;
    }
    const int model = core::game::personMapModel(gameFolder(ctx), person);
    return model < 0 ? std::nullopt : std::optional<int>(model);
}

QImage renderPreview(const workspace::ProgramServices &ctx, const PreviewDraw &draw)
{
    const QImage frame = core::game::unitSpriteFrame(gameFolder(ctx), draw.sheet, draw.frame);
    const QImage sprite = core::game::keyedTransparent(frame);
    return draw.mirrored ? core::game::mirrorLeftRight(sprite) : sprite;
}

} // namespace commands
