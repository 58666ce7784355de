// Commands 0x3D (an item is gained) and 0x3E (a person's equipment). Items
// are numbered by item code (the star file's from 130 on), equipment as
// 2 + item code with 0 the default and 1 none. A stored level above the
// current "ItemLvMax", or an equipment value its list does not hold, loads as
// the list's first item and is written so.
#include "commands/units/units_dialogs.h"
#include "commands/common/dialog_engine.h"

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

} // namespace

void registerEquipmentDialogs(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kItemGain);
    registerEngineDialog(registry, kUnitEquipment);
}

} // namespace commands
