// Commands 0x6C and 0x70 copy abilities between two persons; 0x70 also holds
// the value that selects which. Both persons share one set of picker modes.
// The value is shown and written back in full, negative or large.
#include "commands/flow/flow_dialogs.h"
#include "commands/flow/sentence_dialog.h"

namespace commands {

namespace {

constexpr PickerOptions kPair{.pair = true, .switchMovesFocus = true, .focusSelectsMode = true};

const FieldSpec kCopyAbility6C[] = {
    personField(9, u"인물", 0),
    personField(17, u"인물", 1),
};

const FieldSpec kCopySelectingAbility70[] = {
    personField(9, u"인물", 0),
    personField(17, u"인물", 1),
    numberField(25, "tValue", u"값", NumberKind::SignedText),
};

const DialogDescription kDialogs[] = {
    {.code = 0x6C,
     .formName = "FrmCopyAbility6C",
     .title = u"수정 - 6C : 무장능력복사",
     .fields = kCopyAbility6C,
     .picker = kPair},
    {.code = 0x70,
     .formName = "FrmCopySelectingAbility70",
     .title = u"수정 - 70 : 능력선택복사",
     .fields = kCopySelectingAbility70,
     .picker = kPair},
};

constexpr int kValueField = 2;
// The two persons (and the value) stand side by side in one row.
constexpr int kCopyRow[] = {0, 1};
constexpr int kCopySelectingRow[] = {0, 1, kValueField};
constexpr FieldLayout kCopyLayout{.rows = kCopyRow};
constexpr FieldLayout kCopySelectingLayout{.rows = kCopySelectingRow};

} // namespace

void registerAbilityCopyDialogs(workspace::DialogRegistry &registry)
{
    registerSentenceDialog(registry, kDialogs[0], kCopyLayout);
    registerSentenceDialog(registry, kDialogs[1], kCopySelectingLayout);
}

} // namespace commands
