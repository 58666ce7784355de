// Command 0x5C "전장주요인물": the key person of the battle.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    labelNamed(personField(9), "Label1"),
};

const DialogDescription kFrmImportanceChar5C{
    .code = 0x5C,
    .formName = "FrmImportanceChar5C",
    .title = u"수정 - 5C : 전장주요인물",
    .fields = kFields,
    .picker = {.focusSelectsMode = true},
};

} // namespace

void registerFrmImportanceChar5c(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmImportanceChar5C);
}

} // namespace commands
