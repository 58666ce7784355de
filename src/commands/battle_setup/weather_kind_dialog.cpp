// Command 0x56: the weather kind of the battle. A stored kind beyond the five
// has no word in the caption either; it opens on "맑음".
#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/common_lists.h"
#include "core/param_tags.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    listField(9, "cbWeatherKind", u"날씨 종류", captioned(fixedList(core::weatherNames()), core::tags::WeatherKind)),
};

const DialogDescription kWeatherKind{
    .code = 0x56,
    .formName = "FrmSetWeatherKind56",
    .title = u"수정 - 56 : 날씨조절",
    .fields = kFields,
};

} // namespace

void registerWeatherKindDialog(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kWeatherKind);
}

} // namespace commands
