// Every duel command dialog opened on a stored command: its window and its
// controls with their captions and labels.
#include "commands/common/dialog_controls_support.h"

using namespace controlstest;

namespace {

const std::vector<DialogCase> &cases()
{
    static const std::vector<DialogCase> c = {
        {stored(0x60), "FrmVSAdvent60", u8("수정 - 60 : 일기무장등장"),
         {{"ckChar", "아군 무장"}, {"tString", "글자"}, {"cbVSActive", "일기 동작"}}},
        {stored(0x62), "FrmVsDeath62", u8("수정 - 62 : 일기전사"), {{"ckChar", "적군 무장"}}},
        {stored(0x63), "FrmVSSay63", u8("수정 - 63 : 일기대사"),
         {{"ckChar", "아군 무장"}, {"tString", "글자"}, {"ckDelay", "지연"}}},
        {stored(0x64), "FrmVSActive64", u8("수정 - 64 : 일기동작"),
         {{"ckChar", "아군 무장"}, {"cbVSActive", "일기 동작"}}},
        {stored(0x65), "FrmVSAttack65", u8("수정 - 65 : 일기공격1"),
         {{"ckChar", "아군 무장"}, {"cbVSAttack", "일기 공격"}, {"ckAttack", "회심 일격"}}},
        {stored(0x66), "FrmVSAttack66", u8("수정 - 66 : 일기공격2"),
         {{"ckChar", "아군 무장"}, {"cbVSAttack", "일기 공격"}, {"ckHit", "명중 X"}}},
        {stored(0x68), "FrmVSStart68", u8("수정 - 68 : 일기개시"),
         {{"oList", "인물 리스트"},
          {"oNum", "인물 번호"},
          {"oName", "인물 이름"},
          {"cbChar0", "인물"},
          {"tNum0"},
          {"tName0"},
          {"cbChar1", "인물"},
          {"tNum1"},
          {"tName1"},
          {"cVS", "Logo"}}},
    };
    return c;
}

class DuelDialogControls : public testing::TestWithParam<std::size_t>
{};

TEST_P(DuelDialogControls, NamesAndCaptions)
{
    checkDialog(cases()[GetParam()]);
}

INSTANTIATE_TEST_SUITE_P(Duel, DuelDialogControls, testing::Range<std::size_t>(0, cases().size()),
                         [](const testing::TestParamInfo<std::size_t> &i) { return std::string(cases()[i.param].form); });

} // namespace
