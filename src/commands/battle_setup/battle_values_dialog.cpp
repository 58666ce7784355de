// Command 0x45: the battle's variables: turn limit, level change, the two
// commanders and the weather. The caption is the command's name alone, so it
// is left as it was.
#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/flow/sentence_dialog.h"
#include "commands/common/common_lists.h"
#include "core/param_tags.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    numberField(25, "tTurn", u"최대 턴 수"),
    // A change beyond the list opens on its first item and is saved as 0.
    listField(37, "cbLV", u"유닛 Lv 상승", sourceList(ListSource::LevelChange)),
    personField(53, u"적군 주장", 0),
    personField(69, u"아군 주장", 1),
    listField(77, "cbWeatherKind", u"날씨 종류", captioned(fixedList(core::weatherNames()), core::tags::WeatherKind)),
    listField(85, "cbWeather", u"날씨 발생", captioned(fixedList(core::weatherPatternWords()), core::tags::WeatherPattern)),
};

const DialogDescription kBattleValues{
    .code = 0x45,
    .formName = "FrmSetWar45",
    .title = u"수정 - 45 : 전투변량설정",
    .fields = kFields,
    .picker = {.pair = true, .switchMovesFocus = true, .focusSelectsMode = true},
    .caption = CaptionRule::Keep,
};

// Two pairs a row: turns and levels, the two commanders, the two weathers.
constexpr int kRows[] = {0, 1, kRowBreak, 2, 3, kRowBreak, 4, 5};
constexpr LabelName kLabels[] = {{2, "Label1_0"}, {3, "Label1_1"}};
constexpr FieldLayout kLayout{.rows = kRows, .labels = kLabels};

} // namespace

void registerBattleValuesDialog(workspace::DialogRegistry &registry)
{
    registerSentenceDialog(registry, kBattleValues, kLayout);
}

} // namespace commands
