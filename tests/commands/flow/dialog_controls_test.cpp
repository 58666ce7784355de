// Every story-flow dialog opened on a stored command: its window, its
// controls with their captions and labels, and the rows that read as a
// sentence from left to right.
#include "commands/common/dialog_controls_support.h"

using namespace controlstest;

namespace {


std::vector<Control> slotButtons(const char *array)
{
    static const char *names[2][5] = {{"Option1_0", "Option1_1", "Option1_2", "Option1_3", "Option1_4"},
                                      {"Option2_0", "Option2_1", "Option2_2", "Option2_3", "Option2_4"}};
    static const char *texts[5] = {"1", "2", "3", "4", "5"};
    std::vector<Control> out;
    const int a = QByteArray(array) == "Option1" ? 0 : 1;
    for (int i = 0; i < 5; ++i)
        out.push_back({names[a][i], texts[i], "번호"});
    return out;
}

const std::vector<DialogCase> &cases()
{
    static const std::vector<DialogCase> c = {
        {stored(0x04), "FrmCheck4", u8("수정 - 4 : 문의설정"), {{"ckYN", "예"}}},
        {stored(0x05), "FrmVar5", u8("수정 - 5 : 변량시험"),
         {{"tTrue"}, {"Label1", "True 변량"}, {"tFalse"}, {"Label2", "False 변량"}}},
        {stored(0x06), "FrmCharWar6", u8("수정 - 6 : 아군출격설정"),
         with(with(with({{"ckWar", "출진 준비"},
                         {"tGoCharNum"},
                         {"Label1", "출전 인물 수  "},
                         {"Label2", "강제 출현"},
                         {"cbListT"},
                         {"tNumT"},
                         {"tNameT"},
                         {"Label3", "출현 불가"},
                         {"cbListF"},
                         {"tNumF"},
                         {"tNameF"}},
                        slotButtons("Option1")),
                   slotButtons("Option2")),
              kPickerModes)},
        {stored(0x08), "FrmMenu8", u8("수정 - 8 : 메뉴처리"), {{"cbTF", "TF"}, {"Label1", "TF"}}},
        {stored(0x09), "FrmDelay9", u8("수정 - 9 : 지연"), {{"tNum"}, {"Label1", "숫자 (1당 0.1 초 지연)"}}},
        {stored(0x0B), "FrmVarSetB", u8("수정 - B : 변량설정"),
         {{"tNum", "변량"}, {"Label1", "변량"}, {"cbTF", "TF"}, {"Label2", "TF"}}},
        {stored(0x0F), "FrmFinishF", u8("수정 - F : 결말설정"), {{"cbFinish", "결말"}, {"Label1", "결말"}}},
        {stored(0x11), "FrmEEXMove11", u8("수정 - 11 : 극본이동"), {{"cbEEX", "극본"}, {"Label1", "극본"}}},
        {stored(0x6C), "FrmCopyAbility6C", u8("수정 - 6C : 무장능력복사"),
         with({{"cbChar0", "인물"}, {"tNum0"}, {"tName0"}, {"cbChar1", "인물"}, {"tNum1"}, {"tName1"}}, kPickerModes),
         {{"cbChar0", "cbChar1"}}},
        {stored(0x6E), "FrmPercent6E", u8("수정 - 6E : 확률시험"), {{"tNum", "확률"}, {"Label2", "확률"}}},
        {stored(0x6F), "FrmDesertItem6F", u8("수정 - 6F : 도구소멸"), {{"cbItem", "물품"}, {"Label3", "물품"}}},
        {stored(0x70), "FrmCopySelectingAbility70", u8("수정 - 70 : 능력선택복사"),
         with({{"cbChar0", "인물"}, {"tNum0"}, {"tName0"}, {"cbChar1", "인물"}, {"tNum1"}, {"tName1"}, {"tValue", "값"}},
              kPickerModes),
         {{"cbChar0", "cbChar1", "tValue"}}},
        {stored(0x73), "FrmCompareAbility73", u8("수정 - 73 : 인물능력치시험"),
         with({{"cbChar", "인물"},
               {"tNum"},
               {"tName"},
               {"tCompareNum", "값"},
               {"cbCompare", "비교"},
               {"ckAbility0", "무력"},
               {"ckAbility1", "지력"},
               {"ckAbility2", "통솔"},
               {"ckAbility3", "민첩"},
               {"ckAbility4", "행운"}},
              kPickerModes),
         {{"oList", "oNum", "oName"},
          {"cbChar", "tCompareNum", "cbCompare"},
          {"ckAbility0", "ckAbility1", "ckAbility2", "ckAbility3", "ckAbility4"}}},
        {stored(0x77), "FrmComputeVar77", u8("수정 - 77 : 변량연산"),
         {{"cbVarType0", "변량 유형"},
          {"tCompareNum0", "값"},
          {"cbCompare", "연산"},
          {"cbVarType1", "변량 유형"},
          {"tCompareNum1", "값"}},
         {{"cbVarType0", "tCompareNum0", "cbCompare", "cbVarType1", "tCompareNum1"}}},
        {stored(0x78), "FrmSetVar78", u8("수정 - 78 : 정형변량대입"),
         with({{"tOperationNum", "정형 변량"}, {"cbSet", "대입"}, {"cbChar", "인물"}, {"tNum"}, {"tName"},
               {"cbAbility", "속성"}},
              kPickerModes),
         {{"oList", "oNum", "oName"}, {"tOperationNum", "cbSet", "cbChar", "cbAbility"}}},
        {stored(0x79), "FrmCompareVar79", u8("수정 - 79 : 변량시험"),
         {{"cbVarType0", "변량 유형"},
          {"tCompareNum0", "값"},
          {"cbCompare", "비교"},
          {"cbVarType1", "변량 유형"},
          {"tCompareNum1", "값"}},
         {{"cbVarType0", "tCompareNum0", "cbCompare", "cbVarType1", "tCompareNum1"}}},
    };
    return c;
}

class FlowDialogControls : public testing::TestWithParam<std::size_t>
{};

TEST_P(FlowDialogControls, NamesCaptionsAndRows)
{
    checkDialog(cases()[GetParam()]);
}

INSTANTIATE_TEST_SUITE_P(Flow, FlowDialogControls, testing::Range<std::size_t>(0, cases().size()),
                         [](const testing::TestParamInfo<std::size_t> &i) { return std::string(cases()[i.param].form); });

// The rows stand below one another: in 0x73 the abilities under the
// person's sentence, which stands under the picker's options.
TEST(FlowDialogControls, AbilityTestRowsStandInOrderTopToBottom)
{
    enginetest::CommandNode n(stored(0x73));
    n.edit([](QDialog &d) {
        const int options = inDialog(d, d.findChild<QWidget *>("oList")).bottom();
        const QRect sentence = inDialog(d, d.findChild<QWidget *>("tCompareNum"));
        const QRect abilities = inDialog(d, d.findChild<QWidget *>("ckAbility0"));
        EXPECT_LT(options, sentence.top());
        EXPECT_LT(sentence.bottom(), abilities.top());
    });
}

} // namespace
