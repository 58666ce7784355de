// Command 0x13: one case of a choice, a 4-byte value shown signed as stored.
#include "commands/text/text_dialogs.h"
#include "commands/flow/sentence_dialog.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    numberField(9, "tNum", u"Case", NumberKind::Unclamped, 4),
};

const DialogDescription kCaseLabel{
    .code = 0x13,
    .formName = "FrmCase13",
    .title = u"수정 - 13 : Case",
    .fields = kFields,
};

constexpr LabelName kLabels[] = {{0, "Label1"}};
constexpr FieldLayout kLayout{.labels = kLabels};

} // namespace

void registerCaseDialog(workspace::DialogRegistry &registry)
{
    registerSentenceDialog(registry, kCaseLabel, kLayout);
}

} // namespace commands
