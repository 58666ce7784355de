// Commands 0x77 (variable arithmetic) and 0x79 (variable comparison): two
// operands, each a kind and a number, with an operator or a comparison
// between them. A kind, operator or comparison that its list does not hold
// is kept as stored, under the caption's word for it.
#include "commands/flow/flow_dialogs.h"
#include "commands/flow/sentence_dialog.h"
#include "core/param_tags.h"

namespace commands {

namespace {

constexpr QStringView kLeftKinds[] = {u"지침변량(*p)", u"지침변량(p)", u"정형변량(a)"};
// The third operator carries a blank, as the dialog has always shown it.
constexpr QStringView kOperators[] = {u"+=", u"-=", u"= ", u"*=", u"/=", u"%="};
constexpr QStringView kComparisons[] = {u"==", u">=", u"<="};

constexpr ListSpec keptList(std::span<const QStringView> words, int tag)
{
    ListSpec l = fixedList(words);
    l.unlisted = Unlisted::Keep;
    l.captionTag = tag;
    return l;
}

ListSpec operandKinds() { return keptList(core::operandKindWords(), core::tags::OperandKind); }

const FieldSpec kComputeVar77[] = {
    listField(9, "cbVarType0", u"변량 유형", keptList(kLeftKinds, core::tags::LeftVariableKind)),
    numberField(17, "tCompareNum0", u"값"),
    listField(29, "cbCompare", u"연산", keptList(kOperators, core::tags::Operator)),
    listField(37, "cbVarType1", u"변량 유형", operandKinds()),
    numberField(45, "tCompareNum1", u"값"),
};

const FieldSpec kCompareVar79[] = {
    listField(9, "cbVarType0", u"변량 유형", operandKinds()),
    numberField(17, "tCompareNum0", u"값"),
    listField(29, "cbCompare", u"비교", keptList(kComparisons, core::tags::VariableComparison)),
    listField(37, "cbVarType1", u"변량 유형", operandKinds()),
    numberField(45, "tCompareNum1", u"값"),
};

// Both read left to right as one sentence: operand, operator, operand.
constexpr int kOperandRow[] = {0, 1, 2, 3, 4};
constexpr FieldLayout kOperandLayout{.rows = kOperandRow};

const DialogDescription kDialogs[] = {
    {.code = 0x77, .formName = "FrmComputeVar77", .title = u"수정 - 77 : 변량연산", .fields = kComputeVar77},
    {.code = 0x79, .formName = "FrmCompareVar79", .title = u"수정 - 79 : 변량시험", .fields = kCompareVar79},
};

} // namespace

void registerVariableOperandDialogs(workspace::DialogRegistry &registry)
{
    registerSentenceDialog(registry, kDialogs[0], kOperandLayout);
    registerSentenceDialog(registry, kDialogs[1], kOperandLayout);
}

} // namespace commands
