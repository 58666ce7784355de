// Command 0x57: the weather pattern of the battle, "맑음" or five weather
// words in turn. A stored pattern beyond the six opens on "맑음".
#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/common_lists.h"
#include "core/param_tags.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    listField(9, "cbWeather", u"날씨 발생", captioned(fixedList(core::weatherPatternWords()), core::tags::WeatherPattern)),
};

const DialogDescription kWeatherChange{
    .code = 0x57,
    .formName = "FrmSetWeather57",
    .title = u"수정 - 57 : 날씨변화설정",
    .fields = kFields,
};

} // namespace

void registerWeatherChangeDialog(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kWeatherChange);
}

} // namespace commands
