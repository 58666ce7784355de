// The duel commands whose dialogs are only fields: a death (0x62), a single
// action (0x64) and the two kinds of attack (0x65, 0x66). Every value the
// lists do not hold opens on their first item, and a flag above 1 opens
// cleared, so OK writes the shown value back.
#include "commands/duel/duel_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/duel/duel_lists.h"

namespace commands {

namespace {

// In a death the box names the enemy: a checked box is fighter 1.
const FieldSpec kDeathFields[] = {
    checkField(9, "ckChar", u"적군 무장"),
};

const FieldSpec kActiveFields[] = {
    checkField(9, "ckChar", u"아군 무장"),
    listField(17, "cbVSActive", u"일기 동작", fixedList(duel::kActionItems)),
};

const FieldSpec kAttack1Fields[] = {
    checkField(9, "ckChar", u"아군 무장"),
    listField(17, "cbVSAttack", u"일기 공격", fixedList(duel::kAttackResultItems)),
    checkField(25, "ckAttack", u"회심 일격"),
};

const FieldSpec kAttack2Fields[] = {
    checkField(9, "ckChar", u"아군 무장"),
    listField(17, "cbVSAttack", u"일기 공격", fixedList(duel::kAttackKindItems)),
    checkField(25, "ckHit", u"명중 X"),
};

const DialogDescription kDuelDeath{
    .code = 0x62,
    .formName = "FrmVsDeath62",
    .title = u"수정 - 62 : 일기전사",
    .fields = kDeathFields,
};

const DialogDescription kDuelPose{
    .code = 0x64,
    .formName = "FrmVSActive64",
    .title = u"수정 - 64 : 일기동작",
    .fields = kActiveFields,
};

const DialogDescription kDuelAttack1{
    .code = 0x65,
    .formName = "FrmVSAttack65",
    .title = u"수정 - 65 : 일기공격1",
    .fields = kAttack1Fields,
};

const DialogDescription kDuelAttack2{
    .code = 0x66,
    .formName = "FrmVSAttack66",
    .title = u"수정 - 66 : 일기공격2",
    .fields = kAttack2Fields,
};

} // namespace

void registerDuelEngineDialogs(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kDuelDeath);
    registerEngineDialog(registry, kDuelPose);
    registerEngineDialog(registry, kDuelAttack1);
    registerEngineDialog(registry, kDuelAttack2);
}

} // namespace commands
