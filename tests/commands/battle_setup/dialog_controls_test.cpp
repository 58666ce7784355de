// Every battle set-up dialog opened on a stored command: its window, its
// controls with their captions and labels, and the rows that stand side by
// side.
#include "commands/common/dialog_controls_support.h"

using namespace controlstest;

namespace {


std::vector<Control> armyTable(bool enemy)
{
    std::vector<Control> c = {
        {"lChar"},
        {"Label1", "인물"},
        {"cbChar0", "인물"},
        {"tNum0"},
        {"tName0"},
        {"ckHide", "숨음"},
        {"Label2_0", "좌표 : ("},
        {"tX0"},
        {"tY0"},
        {"cMap0", "Map"},
        {"Label3_1", "방향"},
        {"cbDirection", "방향"},
        {"Label4", "유닛 Lv 상승"},
        {"cbLV", "유닛 Lv 상승"},
        {"Label5", "병종 등급 제한"},
        {"cbArmyLv", "병종 등급 제한"},
        {"gbNomal", "AI"},
        {"Label6", "AI", "AI"},
        {"cbAI0", "AI", "AI"},
        {"gbChar", "AI"},
        {"Label7", "AI", "AI"},
        {"cbAI1", "AI", "AI"},
        {"Label3_0", "인물", "AI"},
        {"cbChar1", "인물", "AI"},
        {"gbCoor", "AI"},
        {"Label8", "AI", "AI"},
        {"cbAI2", "AI", "AI"},
        {"Label2_1", "좌표 : (", "AI"},
        {"tX1", nullptr, "AI"},
        {"tY1", nullptr, "AI"},
        {"cMap1", "Map", "AI"},
    };
    if (enemy)
        c.push_back({"ckRelief", "원군"});
    return with(c, kPickerModes);
}

std::vector<Control> slotButtons(int array)
{
    static const char *names[2][5] = {{"Option1_0", "Option1_1", "Option1_2", "Option1_3", "Option1_4"},
                                      {"Option2_0", "Option2_1", "Option2_2", "Option2_3", "Option2_4"}};
    static const char *texts[5] = {"1", "2", "3", "4", "5"};
    std::vector<Control> out;
    for (int i = 0; i < 5; ++i)
        out.push_back({names[array][i], texts[i], "번호"});
    return out;
}

const std::vector<DialogCase> &cases()
{
    static const std::vector<DialogCase> c = {
        {stored(0x45), "FrmSetWar45", u8("수정 - 45 : 전투변량설정"),
         with({{"tTurn", "최대 턴 수"},
               {"cbLV", "유닛 Lv 상승"},
               {"Label1_0", "적군 주장"},
               {"cbChar0", "적군 주장"},
               {"tNum0"},
               {"tName0"},
               {"Label1_1", "아군 주장"},
               {"cbChar1", "아군 주장"},
               {"tNum1"},
               {"tName1"},
               {"cbWeatherKind", "날씨 종류"},
               {"cbWeather", "날씨 발생"}},
              kPickerModes),
         {{"tTurn", "cbLV"}, {"cbChar0", "cbChar1"}, {"cbWeatherKind", "cbWeather"}}},
        {stored(0x46), "FrmAlliedArmy46", u8("수정 - 46 : 우군출현설정"), armyTable(false)},
        {stored(0x47), "FrmEnemy47", u8("수정 - 47 : 적군출현설정"), armyTable(true)},
        {stored(0x48), "FrmEnemyEquipment48", u8("수정 - 48 : 적군장비설정"),
         with({{"cbChar", "인물"},
               {"tNum"},
               {"tName"},
               {"cbWeapon", "무기"},
               {"cbWLv", "Lv"},
               {"cbDefence", "방어구"},
               {"cbDLv", "Lv"},
               {"cbAssist", "보조"}},
              kPickerModes),
         {{"cbWeapon", "cbWLv"}, {"cbDefence", "cbDLv"}}},
        {stored(0x4A), "FrmForceGoWar4A", u8("수정 - 4A : 아군강제출현설정"),
         with(with(with({{"tGoCharNum"},
                         {"Label1", "출전 인물 수  "},
                         {"Label2", "강제 출현"},
                         {"cbListT"},
                         {"tNumT"},
                         {"tNameT"},
                         {"Label3", "출현 불가"},
                         {"cbListF"},
                         {"tNumF"},
                         {"tNameF"}},
                        slotButtons(0)),
                   slotButtons(1)),
              kPickerModes)},
        {stored(0x4B), "FrmSetCharWar4B", u8("수정 - 4B : 아군출현설정"),
         {{"Label4", "BFIndex"},
          {"tBFIndex", "BFIndex"},
          {"Label2", "좌표 : ("},
          {"tX", "좌표 : ("},
          {"tY", ","},
          {"cMap1", "Map"},
          {"Label3", "방향"},
          {"cbDirection", "방향"},
          {"ckHide", "숨음"}},
         {{"tX", "tY", "cMap1"}}},
        {stored(0x56), "FrmSetWeatherKind56", u8("수정 - 56 : 날씨조절"), {{"cbWeatherKind", "날씨 종류"}}},
        {stored(0x57), "FrmSetWeather57", u8("수정 - 57 : 날씨변화설정"), {{"cbWeather", "날씨 발생"}}},
        {stored(0x58), "FrmSetObstacle58", u8("수정 - 58 : 전장장애물설정"),
         {{"Label3_0", "물체"},
          {"cbThings", "물체"},
          {"Label3_1", "상태"},
          {"cbMake", "상태"},
          {"Label3_2", "지형"},
          {"cbGround", "지형"},
          {"Label2", "좌표 : ("},
          {"tX", "좌표 : ("},
          {"tY", ","},
          {"cMap1", "Map"},
          {"ckViewPoint", "시점 변화"},
          {"ckDelay", "지연 無 (소리 안 남)"}},
         {{"tX", "tY", "cMap1"}}},
        {stored(0x59), "FrmSpoils59", u8("수정 - 59 : 전리품"),
         {{"tNum", "추가로 얻는 돈"},
          {"cbItem0", "물품"},
          {"cbItemLv0", "Lv"},
          {"cbItem1", "물품"},
          {"cbItemLv1", "Lv"},
          {"cbItem2", "물품"},
          {"cbItemLv2", "Lv"},
          {"ckFinal", "결말"}},
         {{"cbItem0", "cbItemLv0"}, {"cbItem1", "cbItemLv1"}, {"cbItem2", "cbItemLv2"}}},
    };
    return c;
}

class BattleSetupDialogControls : public testing::TestWithParam<std::size_t>
{};

TEST_P(BattleSetupDialogControls, NamesCaptionsAndRows)
{
    checkDialog(cases()[GetParam()]);
}

INSTANTIATE_TEST_SUITE_P(BattleSetup, BattleSetupDialogControls, testing::Range<std::size_t>(0, cases().size()),
                         [](const testing::TestParamInfo<std::size_t> &i) { return std::string(cases()[i.param].form); });

} // namespace
