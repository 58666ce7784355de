// The battlefield commands whose dialogs are only described fields, a unit
// target block, map buttons and lists of their own: one table, registered
// with the dialog engine.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/common_lists.h"
#include "commands/flow/sentence_dialog.h"
#include "core/game/game_data.h"

#include <algorithm>

namespace commands {

namespace {

// Command 0x52 "병종변경": a person takes a new troop type, chosen by name from
// the troop table. A stored type of 80 or more, or one the table does not
// reach, shows as a last item of its own in the caption's word (the table's
// name, else the number) and is kept until another troop is chosen.
constexpr int kListedTypes = 80;  // the game's own bound, whatever the table's size

BuiltList troops(const workspace::ProgramServices &ctx)
{
    const core::NameTables *names = ctx.nameTables();
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

const FieldSpec kFields52[] = {
    labelNamed(personField(9), "Label1"),
    labelNamed(listField(17, "cbTroop", u"병종", {}), "Label4"),
};

const CustomListSpec kLists52[] = {{"cbTroop", troops, selectTroop, troopPlaceholderText}};

// Command 0x53 "전장퇴각": units leave the battlefield, by retreat or death.
// The units are one person or every unit of a side inside a zone.
const FieldSpec kFields53[] = {
    checkField(81, "ckDeath", u"사망"),
};

// Command 0x5C "전장주요인물": the key person of the battle.
const FieldSpec kFields5C[] = {
    labelNamed(personField(9), "Label1"),
};

// Command 0x5B "전장주요구역": a key zone of the battle map, two corner cells
// picked on the map or typed, and whether the zone counts during the battle
// ("전투 중") or as a victory condition.
const FieldSpec kFields5B[] = {
    labelNamed(coordinateField(9, "tX0", NumberKind::Coordinate), "Label3"),
    coordinateField(21, "tY0", NumberKind::Coordinate),
    coordinateField(33, "tX1", NumberKind::Coordinate),
    coordinateField(45, "tY1", NumberKind::Coordinate),
    checkField(57, "ckWar", u"전투 중"),
};

const MapButtonRow kMaps5B[] = {{.mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"}};

// Command 0x6B "법술": a magic effect at a cell of the battle map. The list
// holds the effect files, then the call files (counts from the settings),
// then "나타냄"; effects are stored as their index, calls as 100 + their
// number and "나타냄" as 100 + the number of call files.
// Effects must stay below the calls' 100, calls below 200.
constexpr int kCallBase = 100;
constexpr int kOutOfRange = 200;

BuiltList magic(const workspace::ProgramServices &ctx)
{
    const int effects = readSettingCount(ctx, kMEffMax);
    const int calls = readSettingCount(ctx, kMCallMax);
    BuiltList l;
    for (int i = 0; i < effects; ++i) {
        l.texts << QStringLiteral("MEFF-%1").arg(i + 1);
        l.values.push_back(i);
    }
    for (int j = 0; j < calls; ++j) {
        l.texts << QStringLiteral("MCALL%1.E5").arg(j, 2, 10, QLatin1Char('0'));
        l.values.push_back(kCallBase + j);
    }
    l.texts << QStringLiteral("나타냄");
    l.values.push_back(kCallBase + calls);
    return l;
}

// A stored value outside the three ranges goes to the nearest item of its
// range; the list keeps it under the caption's word for it ("MEFF-58" for 60).
int selectMagic(int c, const BuiltList &items)
{
    const int last = items.size() - 1;
    const int calls = items.values.back() - kCallBase;
    const int effects = last - calls;
    const int lastEffect = std::max(effects - 1, 0);
    const int lastCall = std::max(effects + calls - 1, 0);
    if (c > kOutOfRange)
        return 0;
    if (c >= effects && c < kCallBase)
        return lastEffect;
    if (c > kCallBase + calls && c < kOutOfRange)
        return lastCall;
    if (c >= kCallBase)
        return c == kOutOfRange ? lastCall : c - kCallBase + effects;  // 200 has no item of its own
    return c;
}

const FieldSpec kFields6B[] = {
    labelNamed(listField(33, "cbMagic", u"법술", captioned({}, core::tags::Magic)), "Label3"),
    labelNamed(coordinateField(9, "tX", NumberKind::Coordinate), "Label2"),
    coordinateField(21, "tY", NumberKind::Coordinate),
    checkField(41, "ckViewPoint", u"시점 변화"),
};

const MapButtonRow kMaps6B[] = {{}};
const CustomListSpec kLists6B[] = {{"cbMagic", magic, selectMagic}};

// Command 0x6D "상대부활/이동": a unit, named by a person or its battlefield
// index, is revived or moved to an offset from a reference person. The
// offset is typed; there is no map button.
// A box of the offset row, which reads "상대 좌표 :  ( x , y )".
constexpr FieldSpec relativeField(int pos, const char *name, const char16_t *lead = u"")
{
    FieldSpec f = coordinateField(pos, name);
    f.label = lead;
    return f;
}

const FieldSpec kFields6D[] = {
    labelNamed(personField(37, u"기준 인물", 1), "Label1_1"),
    labelNamed(relativeField(45, "tX", u"상대 좌표 :  ("), "Label2"),
    relativeField(57, "tY"),
    labelNamed(listField(69, "cbDirection", u"방향", directionList()), "Label3"),
    // Any nonzero value counts as a revival.
    checkField(77, "ckRevive", u"부활", FlagLoad::NonzeroIsSet),
};

// Command 0x55 "전장부활": a unit, named by a person or its battlefield index,
// comes back at one cell of the battle map with a facing.
const FieldSpec kFields55[] = {
    labelNamed(coordinateField(37, "tX", NumberKind::Coordinate), "Label2"),
    coordinateField(49, "tY", NumberKind::Coordinate),
    labelNamed(listField(61, "cbDirection", u"방향", directionList()), "Label3"),
};

const MapButtonRow kMaps55[] = {{}};

// Command 0x50 "전장동작설정": a person, one of twelve unit actions and two
// delay flags. The list starts and ends with "無": 0 and 0xFFFF are two
// values that look alike; a stored value beyond the actions loads as the
// last.
constexpr QStringView kActions[] = {u"無", u"거기무기", u"방어", u"공격受", u"허약", u"예비공격", u"공격",
                                    u"두번공격", u"느린진행", u"날씨", u"졸도", u"쾌속진행", u"중속진행"};

const FieldSpec kFields50[] = {
    labelNamed(personField(9), "Label2"),
    labelNamed(listField(17, "cbActive", u"동작", captioned(fixedListWithNone(kActions, u"無"), core::tags::FieldAction)), "Label3"),
    checkField(25, "ckBeforeDelay", u"동작 전 지연"),
    checkField(33, "ckAfterDelay", u"동작 후 지연"),
};

// Command 0x4F "전장방향설정": two persons, a facing and three flags. One set
// of mode options switches both persons.
const FieldSpec kFields4F[] = {
    labelNamed(personField(9, u"인물", 0), "Label1_0"),
    labelNamed(personField(17, u"인물", 1), "Label1_1"),
    labelNamed(listField(25, "cbDirection", u"방향", directionList()), "Label3"),
    checkField(33, "ckRight", u"반대 방향"),
    checkField(41, "ckBeforeDelay", u"동작 전 지연"),
    checkField(49, "ckAfterDelay", u"동작 후 지연"),
};

// Command 0x74 "저장개/폐": whether the player may save. Unlike the other
// flags, any nonzero stored value loads as allowed.
const FieldSpec kFields74[] = {
    checkField(9, "ckSave", u"저장 가능", FlagLoad::NonzeroIsSet),
};

// Command 0x5D "턴수설정": the battle's turn count is set, raised or lowered
// by a number.
const FieldSpec kFields5D[] = {
    labelNamed(listField(9, "cbOperator", u"연산", operationList()), "Label3"),
    labelNamed(numberField(17, "tOperationNum", u"숫자"), "Label1"),
};

// Command 0x71 "특수요청": the number of a special request, without a limit
// of its own.
const FieldSpec kFields71[] = {
    labelNamed(numberField(9, "tNum", u"값", NumberKind::Unclamped), "Label1"),
};

const DialogDescription kDescriptions[] = {
    // Command 0x4C "숨은무장출현": a hidden unit appears, named by a person or
    // by its battlefield index.
    {
        .code = 0x4C,
        .formName = "FrmAdventCharHide4C",
        .title = u"수정 - 4C : 숨은무장출현",
        .target = {.form = TargetForm::PersonBf, .frameCaption = u"Char Or BF"},
        .picker = {.focusSelectsMode = true},
        .startModeOnlyForPerson = true,
        .numbers = NumberSave::WholeNumberOnly,
        .checks = CheckPlace::FieldColumn,
    },
    {
        .code = 0x52,
        .formName = "FrmChangeTroop52",
        .title = u"수정 - 52 : 병종변경",
        .fields = kFields52,
        .customLists = kLists52,
        .numbers = NumberSave::WholeNumberOnly,
        .checks = CheckPlace::FieldColumn,
    },
    {
        .code = 0x53,
        .formName = "FrmCharRetreat53",
        .title = u"수정 - 53 : 전장퇴각",
        .target = {.form = TargetForm::PersonZone, .frameCaption = u"범위", .personLabel = "Label2", .sideLabel = "Label1"},
        .fields = kFields53,
        .picker = {.focusSelectsMode = true},
        .startModeOnlyForPerson = true,
        .numbers = NumberSave::WholeNumberOnly,
        .checks = CheckPlace::FieldColumn,
    },
    {
        .code = 0x5C,
        .formName = "FrmImportanceChar5C",
        .title = u"수정 - 5C : 전장주요인물",
        .fields = kFields5C,
        .picker = {.focusSelectsMode = true},
    },
    {
        .code = 0x5B,
        .formName = "FrmImportanceZone5B",
        .title = u"수정 - 5B : 전장주요구역",
        .fields = kFields5B,
        .maps = kMaps5B,
        .numbers = NumberSave::WholeNumberOnly,
        .checks = CheckPlace::FieldColumn,
    },
    {
        .code = 0x6B,
        .formName = "FrmMagic6B",
        .title = u"수정 - 6B : 법술",
        .fields = kFields6B,
        .maps = kMaps6B,
        .customLists = kLists6B,
        .numbers = NumberSave::WholeNumberOnly,
        .checks = CheckPlace::FieldColumn,
    },
    {
        .code = 0x6D,
        .formName = "FrmRelativeMove6D",
        .title = u"수정 - 6D : 상대부활/이동",
        .target = {.form = TargetForm::PersonBf, .frameCaption = u"Char Or BF", .modesInPersonPanel = false,
                   .personLabel = "Label1_0"},
        .fields = kFields6D,
        .picker = {.pair = true, .switchMovesFocus = false, .focusSelectsMode = true},
        .numbers = NumberSave::WholeNumberOnly,
        .checks = CheckPlace::FieldColumn,
    },
    {
        .code = 0x55,
        .formName = "FrmRevival55",
        .title = u"수정 - 55 : 전장부활",
        .target = {.form = TargetForm::PersonBf, .frameCaption = u"Char Or BF", .modesInPersonPanel = false},
        .fields = kFields55,
        .maps = kMaps55,
        .picker = {.switchMovesFocus = false, .focusSelectsMode = true},
        .indexedPerson = true,
        .numbers = NumberSave::WholeNumberOnly,
        .checks = CheckPlace::FieldColumn,
    },
    {
        .code = 0x50,
        .formName = "FrmSetActive50",
        .title = u"수정 - 50 : 전장동작설정",
        .fields = kFields50,
        .picker = {.focusSelectsMode = true},
    },
    {
        .code = 0x4F,
        .formName = "FrmSetDirection4F",
        .title = u"수정 - 4F : 전장방향설정",
        .fields = kFields4F,
        .picker = {.pair = true, .focusSelectsMode = true},
    },
    {
        .code = 0x74,
        .formName = "FrmSetSave74",
        .title = u"수정 - 74 : 저장개/폐",
        .fields = kFields74,
    },
    {
        .code = 0x5D,
        .formName = "FrmSetTurn5D",
        .title = u"수정 - 5D : 턴수설정",
        .fields = kFields5D,
    },
    {
        .code = 0x71,
        .formName = "FrmSpecial71",
        .title = u"수정 - 71 : 특수요청",
        .fields = kFields71,
    },
};

} // namespace

// 0x4F: both persons and the facing in one row, the flags under it.
constexpr int kRows4F[] = {0, 1, 2, kRowBreak, 3, 4, 5};
constexpr FieldLayout kLayout4F{.rows = kRows4F};

void registerBattlefieldDescriptions(workspace::DialogRegistry &registry)
{
    for (const DialogDescription &d : kDescriptions) {
        if (d.code == 0x4F)
            registerSentenceDialog(registry, d, kLayout4F);
        else
            registerEngineDialog(registry, d);
    }
}

} // namespace commands
