#include "workspace/edit_context.h"

#include "core/game/game_data.h"

namespace workspace {

const core::NameTables *ProgramServices::nameTables() const
{
    return gameData ? &gameData->names : captions.names;
}

} // namespace workspace
