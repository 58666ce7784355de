// Command 0x52 "병종변경": a person takes a new troop type, chosen by name from
// the troop table. A stored type of 80 or more, or one the table does not
// reach, shows as a last item of its own ("T120") and is kept until another
// troop is chosen.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "core/game/game_data.h"

namespace commands {

namespace {

constexpr int kListedTypes = 80;  // the game's own bound, whatever the table's size

BuiltList troops(const workspace::EditContext &ctx)
{
    const core::NameTables *names = ctx.gameData ? &ctx.gameData->names : ctx.captions.names;
    BuiltList l;
    if (!names)
        return l;
    for (const QString &name : names->troopNames) {
        l.texts << name;
        l.values.push_back(int(l.values.size()));
    }
    return l;
}

int selectTroop(int stored, const BuiltList &items)
{
    if (items.size() == 0)
        return -1;
    return stored < kListedTypes && stored < items.size() ? stored : 0;
}

const FieldSpec kFields[] = {
    labelNamed(personField(9), "Label1"),
    labelNamed(listField(17, "cbTroop", u"병종", {}), "Label4"),
};

// The caption's word for a type the list cannot show ("T120").
QString troopNumber(int stored) { return QStringLiteral("T") + QString::number(stored); }

const CustomListSpec kLists[] = {{"cbTroop", troops, selectTroop, troopNumber}};

const DialogDescription kFrmChangeTroop52{
    .code = 0x52,
    .formName = "FrmChangeTroop52",
    .title = u"수정 - 52 : 병종변경",
    .fields = kFields,
    .customLists = kLists,
    .numbers = NumberSave::WholeNumberOnly,
    .checks = CheckPlace::FieldColumn,
};

} // namespace

void registerFrmChangeTroop52(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmChangeTroop52);
}

} // namespace commands
