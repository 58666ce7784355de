// Command 0x1B: whether one person's own retreat line is shown. A stored
// switch other than 0 opens as "True".
#include "commands/text/text_dialogs.h"
#include "commands/flow/sentence_dialog.h"

#include <QStringView>

namespace commands {

namespace {

constexpr QStringView kSwitchWords[] = {u"False", u"True"};

const FieldSpec kFields[] = {
    personField(9),
    listField(17, "cbTF", u"TF", fixedList(kSwitchWords, 1)),
};

const DialogDescription kRetreatLine{
    .code = 0x1B,
    .formName = "FrmDieSaid1B",
    .title = u"수정 - 1B : 고유퇴각대사보기설정",
    .fields = kFields,
};

constexpr LabelName kLabels[] = {{0, "Label3"}, {1, "Label2"}};
constexpr FieldLayout kLayout{.labels = kLabels};

} // namespace

void registerRetreatLineDialog(workspace::DialogRegistry &registry)
{
    registerSentenceDialog(registry, kRetreatLine, kLayout);
}

} // namespace commands
