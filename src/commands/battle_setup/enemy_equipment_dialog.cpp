// Command 0x48: the equipment of one enemy person: weapon and armour with
// their levels, and an accessory. The same lists as the equipment command,
// so a key opens with the same choices in both.
#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/common/common_lists.h"
#include "commands/flow/sentence_dialog.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    personField(9),
    listField(17, "cbWeapon", u"무기", equipmentList(ListSource::Weapon, core::tags::Weapon)),
    listField(25, "cbWLv", u"Lv", itemLevelList()),
    listField(33, "cbDefence", u"방어구", equipmentList(ListSource::Defence, core::tags::Armour)),
    listField(41, "cbDLv", u"Lv", itemLevelList()),
    listField(49, "cbAssist", u"보조", equipmentList(ListSource::Assist, core::tags::Assist)),
};

const DialogDescription kEnemyEquipment{
    .code = 0x48,
    .formName = "FrmEnemyEquipment48",
    .title = u"수정 - 48 : 적군장비설정",
    .fields = kFields,
};

// Each item list with its level list beside it.
constexpr int kRows[] = {0, kRowBreak, 1, 2, kRowBreak, 3, 4, kRowBreak, 5};
constexpr FieldLayout kLayout{.rows = kRows};

} // namespace

void registerEnemyEquipmentDialog(workspace::DialogRegistry &registry)
{
    registerSentenceDialog(registry, kEnemyEquipment, kLayout);
}

} // namespace commands
