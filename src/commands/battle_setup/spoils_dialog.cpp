// Command 0x59: the spoils of a battle: extra money, three items with their
// levels, and the ending flag.
#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/flow/sentence_dialog.h"
#include "commands/common/common_lists.h"
#include "commands/common/number_field.h"

namespace commands {

namespace {

// A stored level shows as its own item, or (0xFFFF, or a level past
// ItemLvMax) as a placeholder with its caption word, which keeps it.
const FieldSpec kFields[] = {
    numberField(9, "tNum", u"추가로 얻는 돈"),
    listField(21, "cbItem0", u"물품", sourceList(ListSource::Item)),
    listField(29, "cbItemLv0", u"Lv", itemLevelList()),
    listField(37, "cbItem1", u"물품", sourceList(ListSource::Item)),
    listField(45, "cbItemLv1", u"Lv", itemLevelList()),
    listField(53, "cbItem2", u"물품", sourceList(ListSource::Item)),
    listField(61, "cbItemLv2", u"Lv", itemLevelList()),
    checkField(69, "ckFinal", u"결말"),
};
// The money, then each item with its level beside it, then the flag.
constexpr int kRows[] = {0, kRowBreak, 1, 2, kRowBreak, 3, 4, kRowBreak, 5, 6, kRowBreak, 7};
constexpr FieldLayout kLayout{.rows = kRows};

const DialogDescription kSpoils{
    .code = 0x59,
    .formName = "FrmSpoils59",
    .title = u"수정 - 59 : 전리품",
    .fields = kFields,
};

} // namespace

void registerSpoilsDialog(workspace::DialogRegistry &registry)
{
    registerSentenceDialog(registry, kSpoils, kLayout);
}

} // namespace commands
