// Commands 0x3D (an item is gained) and 0x3E (a person's equipment). Items
// are numbered by item code (the star file's from 130 on), equipment as
// 2 + item code with 0 the default and 1 none. A stored level above the
// current "ItemLvMax" or held in a variable ("[Var5]"), or an equipment value
// its list does not hold, shows as a placeholder item with the caption's word
// for it and is kept. Each level list stands beside its item.
#include "commands/units/units_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/flow/sentence_dialog.h"

namespace commands {

namespace {

const FieldSpec kGetItemFields[] = {
    listField(9, "cbItem", u"물품", sourceList(ListSource::Item)),
    listField(17, "cbItemLv", u"Lv", sourceList(ListSource::ItemLevel)),
    checkField(25, "ckPoint", u"시점 변화"),
    personField(33, u"시점 변화 인물"),
};

const DialogDescription kItemGain{
    .code = 0x3D,
    .formName = "FrmGetItem3D",
    .title = u"수정 - 3D : 물품획득",
    .fields = kGetItemFields,
    .picker = {.focusSelectsMode = true},
};

const FieldSpec kEquipmentFields[] = {
    personField(9),
    listField(17, "cbWeapon", u"무기", sourceList(ListSource::Weapon)),
    listField(25, "cbWLv", u"Lv", sourceList(ListSource::ItemLevel)),
    listField(33, "cbDefence", u"방어구", sourceList(ListSource::Defence)),
    listField(41, "cbDLv", u"Lv", sourceList(ListSource::ItemLevel)),
    listField(49, "cbAssist", u"보조", sourceList(ListSource::Assist)),
};

const DialogDescription kUnitEquipment{
    .code = 0x3E,
    .formName = "FrmSetCharEquipment3E",
    .title = u"수정 - 3E : 무장장비설정",
    .fields = kEquipmentFields,
};

// The item with its level; the view change with its person.
constexpr int kItemGainRows[] = {0, 1, kRowBreak, 2, 3};
// The person; each item with its level; the accessory.
constexpr int kEquipmentRows[] = {0, kRowBreak, 1, 2, kRowBreak, 3, 4, kRowBreak, 5};
constexpr FieldLayout kItemGainLayout{.rows = kItemGainRows};
constexpr FieldLayout kEquipmentLayout{.rows = kEquipmentRows};

} // namespace

void registerEquipmentDialogs(workspace::DialogRegistry &registry)
{
    registerSentenceDialog(registry, kItemGain, kItemGainLayout);
    registerSentenceDialog(registry, kUnitEquipment, kEquipmentLayout);
}

} // namespace commands
