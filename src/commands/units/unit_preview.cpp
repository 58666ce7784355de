#include "commands/units/unit_preview.h"

#include "core/game/game_data.h"

namespace commands {

std::optional<int> personMapModel(const workspace::EditContext &ctx, int person)
{
    if (!ctx.gameData || person < 0 || std::size_t(person) >= ctx.gameData->persons.size())
        return std::nullopt;
    return ctx.gameData->persons[std::size_t(person)].mapModel;
}

QImage renderPreview(const workspace::EditContext &, const PreviewDraw &)
{
    return {};
}

} // namespace commands
