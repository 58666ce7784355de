// Command 0x59: the spoils of a battle: extra money, three items with their
// levels, and the ending flag.
#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/flow/sentence_dialog.h"
#include "commands/common/number_field.h"

#include <QComboBox>

#include <algorithm>

namespace commands {

namespace {

// A level of 10 or more opens on item 9, and 0xFFFF on "DefLv", whatever
// the length of the list.
constexpr int kHighestLoadedLevel = 9;

const FieldSpec kFields[] = {
    numberField(9, "tNum", u"추가로 얻는 돈"),
    listField(21, "cbItem0", u"물품", sourceList(ListSource::Item)),
    listField(29, "cbItemLv0", u"Lv", sourceList(ListSource::ItemLevel)),
    listField(37, "cbItem1", u"물품", sourceList(ListSource::Item)),
    listField(45, "cbItemLv1", u"Lv", sourceList(ListSource::ItemLevel)),
    listField(53, "cbItem2", u"물품", sourceList(ListSource::Item)),
    listField(61, "cbItemLv2", u"Lv", sourceList(ListSource::ItemLevel)),
    checkField(69, "ckFinal", u"결말"),
};
constexpr int kLevelFields[] = {2, 4, 6};
// The money, then each item with its level beside it, then the flag.
constexpr int kRows[] = {0, kRowBreak, 1, 2, kRowBreak, 3, 4, kRowBreak, 5, 6, kRowBreak, 7};
constexpr FieldLayout kLayout{.rows = kRows};

const DialogDescription kSpoils{
    .code = 0x59,
    .formName = "FrmSpoils59",
    .title = u"수정 - 59 : 전리품",
    .fields = kFields,
};

class SpoilsDialog : public SentenceDialog
{
public:
    explicit SpoilsDialog(workspace::EditContext &ctx) : SentenceDialog(ctx, kSpoils, kLayout)
    {
        for (int f : kLevelFields) {
            const int v = field(kFields[f].pos, 2) & 0xFFFF;
            const int item = v == 0xFFFF ? 0 : std::min(v, kHighestLoadedLevel);
            auto *list = static_cast<QComboBox *>(control(f));
            list->setCurrentIndex(std::clamp(item, 0, list->count() - 1));
        }
    }
};

} // namespace

void registerSpoilsDialog(workspace::DialogRegistry &registry)
{
    registerEngineDialogAs<SpoilsDialog>(registry, kSpoils);
}

} // namespace commands
