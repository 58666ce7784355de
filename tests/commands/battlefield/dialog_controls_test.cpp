// Every battlefield dialog opened on a stored command: its window, its
// controls with their names, captions, labels and frames, the rows that read
// left to right, and the coordinate rows as one line "( x , y ) Map".
#include "commands/common/dialog_controls_support.h"
#include "fixtures/battlefield_fixtures.h"
#include "support/param_names.h"

#include <QApplication>
#include <QLayout>
#include <QLineEdit>

#include <algorithm>
#include <ostream>
#include <utility>

using namespace controlstest;

namespace {


// The picker's mode options inside the frame titled `frame`.
std::vector<Control> modesIn(const char *frame)
{
    std::vector<Control> c = kPickerModes;
    for (Control &m : c)
        m.frame = frame;
    return c;
}

// The person panel of the unit target block: its label, the person's
// controls (named with the index 0 when `indexed`) and, when there, the
// picker's modes.
std::vector<Control> personPanel(const char *label, bool indexed, bool modes)
{
    const std::vector<Control> c = {{"gbChar", "CharIndex"},
                                    {label, "인물", "CharIndex"},
                                    {indexed ? "cbChar0" : "cbChar", "인물", "CharIndex"},
                                    {indexed ? "tNum0" : "tNum", nullptr, "CharIndex"},
                                    {indexed ? "tName0" : "tName", nullptr, "CharIndex"}};
    return modes ? with(c, modesIn("CharIndex")) : c;
}

const std::vector<Control> kIndexPanel = {
    {"gbBF", "BFIndex"}, {"Label4", "BFIndex", "BFIndex"}, {"tBFIndex", "BFIndex", "BFIndex"}};

std::vector<Control> zonePanel(const char *cornersLabel, const char *sideLabel, const char *map)
{
    return {{"gbZone", "구역"},
            {cornersLabel, "좌표 : (", "구역"},
            {"tX0", "좌표 : (", "구역"},
            {"tY0", nullptr, "구역"},
            {"tX1", nullptr, "구역"},
            {"tY1", nullptr, "구역"},
            {sideLabel, "전투측", "구역"},
            {"cbArmy", "전투측", "구역"},
            {map, "Map", "구역"}};
}

std::vector<Control> modeFrame(const char *caption, std::vector<const char *> options)
{
    static const std::pair<const char *, const char *> kOptions[] = {
        {"oChar", "CharIndex"}, {"oBF", "BFIndex"}, {"oZone", "구역"}};
    std::vector<Control> c = {{"Quillframe1", caption}};
    for (const char *o : options)
        for (const auto &[name, text] : kOptions)
            if (std::string(o) == name)
                c.push_back({name, text, caption});
    return c;
}

struct Row
{
    const char *name;
    DialogCase dialog;
};

void PrintTo(const Row &r, std::ostream *os)
{
    *os << r.name;
}

QString storedWith(int code, std::initializer_list<fixtures::FieldValue> fields)
{
    return fixtures::battlefieldRecord(code, fields);
}

const std::vector<Row> &rows()
{
    static const std::vector<Row> r = {
        {"4C hidden unit",
         {stored(0x4C), "FrmAdventCharHide4C", u8("수정 - 4C : 숨은무장출현"),
          with(with(modeFrame("Char Or BF", {"oChar", "oBF"}), personPanel("Label1", false, true)), kIndexPanel)}},
        {"4D condition on a zone",
         {storedWith(0x4D, {{9, 2, 2}}), "FrmChangeCondition4D", u8("수정 - 4D : 무장상태변경"),
          with(with(with(with(modeFrame("Char Or BF Or 구역", {"oChar", "oBF", "oZone"}),
                              personPanel("Label1", false, true)),
                         kIndexPanel),
                    zonePanel("Label3", "Label2", "cMap1")),
               {{"Label5", "속성"},
                {"cbProperty", "속성"},
                {"Label6", "변화"},
                {"cbChange", "변화"},
                {"ckPalsy", "마비"},
                {"ckNotMagic", "금책"},
                {"ckConfuse", "혼란"},
                {"ckPoisoning", "중독"},
                {"ckRemove", "풀림"},
                {"Label7", "-HP"},
                {"tHP", "-HP"},
                {"Label8", "-MP"},
                {"tMP", "-MP"}}),
          {{"tX0", "tY0", "tX1", "tY1"}, {"ckPalsy", "ckNotMagic", "ckConfuse", "ckPoisoning"}}}},
        {"4E policy with a target point",
         {storedWith(0x4E, {{81, 2, 4}}), "FrmChangeCharPolicy4E", u8("수정 - 4E : 무장방침변경"),
          with(with(with(modeFrame("범위", {"oChar", "oZone"}), personPanel("Label1", true, true)),
                    zonePanel("Label3", "Label2", "cMap0")),
               {{"gbNomal", "AI"},
                {"cbAI0", "AI", "AI"},
                {"gbAIChar", "AI"},
                {"cbAI1", "AI", "AI"},
                {"cbChar1", "인물", "AI"},
                {"tNum1", nullptr, "AI"},
                {"tName1", nullptr, "AI"},
                {"gbCoor", "AI"},
                {"cbAI2", "AI", "AI"},
                {"tX2", "좌표 : (", "AI"},
                {"tY2", nullptr, "AI"},
                {"cMap1", "Map", "AI"}}),
          {{"tX2", "tY2", "cMap1"}}}},
        {"4F direction",
         {stored(0x4F), "FrmSetDirection4F", u8("수정 - 4F : 전장방향설정"),
          with({{"Label1_0", "인물"},
                {"cbChar0", "인물"},
                {"tNum0"},
                {"tName0"},
                {"Label1_1", "인물"},
                {"cbChar1", "인물"},
                {"tNum1"},
                {"tName1"},
                {"Label3", "방향"},
                {"cbDirection", "방향"},
                {"ckRight", "반대 방향"},
                {"ckBeforeDelay", "동작 전 지연"},
                {"ckAfterDelay", "동작 후 지연"}},
               kPickerModes),
          {{"cbChar0", "cbChar1", "cbDirection"}}}},
        {"50 action",
         {stored(0x50), "FrmSetActive50", u8("수정 - 50 : 전장동작설정"),
          with({{"Label2", "인물"},
                {"cbChar", "인물"},
                {"tNum"},
                {"tName"},
                {"Label3", "동작"},
                {"cbActive", "동작"},
                {"ckBeforeDelay", "동작 전 지연"},
                {"ckAfterDelay", "동작 후 지연"}},
               kPickerModes)}},
        {"52 troop",
         {stored(0x52), "FrmChangeTroop52", u8("수정 - 52 : 병종변경"),
          with({{"Label1", "인물"}, {"cbChar", "인물"}, {"tNum"}, {"tName"}, {"Label4", "병종"}, {"cbTroop", "병종"}},
               kPickerModes)}},
        {"53 retreat from a zone",
         {storedWith(0x53, {{9, 2, 1}}), "FrmCharRetreat53", u8("수정 - 53 : 전장퇴각"),
          with(with(with(modeFrame("범위", {"oChar", "oZone"}), personPanel("Label2", false, true)),
                    zonePanel("Label3", "Label1", "cMap1")),
               {{"ckDeath", "사망"}}),
          {{"tX0", "tY0", "tX1", "tY1"}}}},
        {"55 revival",
         {stored(0x55), "FrmRevival55", u8("수정 - 55 : 전장부활"),
          with(with(with(modeFrame("Char Or BF", {"oChar", "oBF"}), personPanel("Label1", true, false)), kIndexPanel),
               with({{"Label2", "좌표 : ("},
                     {"tX", "좌표 : ("},
                     {"tY"},
                     {"cMap1", "Map"},
                     {"Label3", "방향"},
                     {"cbDirection", "방향"}},
                    kPickerModes)),
          {{"tX", "tY", "cMap1"}}}},
        {"5B key zone",
         {stored(0x5B), "FrmImportanceZone5B", u8("수정 - 5B : 전장주요구역"),
          {{"Label3", "좌표 : ("},
           {"tX0", "좌표 : ("},
           {"tY0"},
           {"tX1"},
           {"tY1"},
           {"cMap1", "Map"},
           {"ckWar", "전투 중"}},
          {{"tX0", "tY0", "tX1", "tY1", "cMap1"}}}},
        {"5C key person",
         {stored(0x5C), "FrmImportanceChar5C", u8("수정 - 5C : 전장주요인물"),
          with({{"Label1", "인물"}, {"cbChar", "인물"}, {"tNum"}, {"tName"}}, kPickerModes)}},
        {"5D turn count",
         {stored(0x5D), "FrmSetTurn5D", u8("수정 - 5D : 턴수설정"),
          {{"Label3", "연산"}, {"cbOperator", "연산"}, {"Label1", "숫자"}, {"tOperationNum", "숫자"}}}},
        {"67 chapter name",
         {stored(0x67), "FrmScene67", u8("수정 - 67 : 장명"), {{"tNum", "장 수"}, {"tString", "장 이름"}}}},
        {"6B magic",
         {stored(0x6B), "FrmMagic6B", u8("수정 - 6B : 법술"),
          {{"Label3", "법술"},
           {"cbMagic", "법술"},
           {"Label2", "좌표 : ("},
           {"tX", "좌표 : ("},
           {"tY"},
           {"cMap1", "Map"},
           {"ckViewPoint", "시점 변화"}},
          {{"tX", "tY", "cMap1"}}}},
        {"6D relative move",
         {stored(0x6D), "FrmRelativeMove6D", u8("수정 - 6D : 상대부활/이동"),
          with(with(with(modeFrame("Char Or BF", {"oChar", "oBF"}), personPanel("Label1_0", true, false)), kIndexPanel),
               with({{"Label1_1", "기준 인물"},
                     {"cbChar1", "기준 인물"},
                     {"tNum1"},
                     {"tName1"},
                     {"Label2", "상대 좌표 :  ("},
                     {"tX", "상대 좌표 :  ("},
                     {"tY"},
                     {"Label3", "방향"},
                     {"cbDirection", "방향"},
                     {"ckRevive", "부활"}},
                    kPickerModes)),
          {{"tX", "tY"}}}},
        {"71 special request", {stored(0x71), "FrmSpecial71", u8("수정 - 71 : 특수요청"), {{"Label1", "값"}, {"tNum", "값"}}}},
        {"72 information",
         {stored(0x72), "FrmSendInformation72", u8("수정 -  72 : 정보전송"),
          {{"tNum", "숫자 정보"}, {"tString", "문자 정보"}}}},
        {"74 save switch", {stored(0x74), "FrmSetSave74", u8("수정 - 74 : 저장개/폐"), {{"ckSave", "저장 가능"}}}},
        {"75 special shape",
         {stored(0x75), "FrmSetSModel75", u8("수정 - 75 : S특수형상지정"),
          with({{"Label1", "인물"}, {"cbChar", "인물"}, {"tNum"}, {"tName"}, {"Label2", "S 형상"},
                {"tCompareNum", "S 형상"}},
               kPickerModes)}},
    };
    return r;
}

class BattlefieldDialogControls : public testing::TestWithParam<Row>
{};

TEST_P(BattlefieldDialogControls, NamesCaptionsFramesAndRows)
{
    checkDialog(GetParam().dialog);
}

INSTANTIATE_TEST_SUITE_P(Battlefield, BattlefieldDialogControls, testing::ValuesIn(rows()), testsupport::NameFromRow{});

// --- coordinate rows ----------------------------------------------------

struct PointRow
{
    const char *name;
    QString record;
    const char *firstBox;
    // The row from left to right: its label's text, then the line's labels
    // by their text and its other controls by name.
    const char16_t *reads;
};

void PrintTo(const PointRow &r, std::ostream *os)
{
    *os << r.name;
}

class BattlefieldCoordinateRows : public testing::TestWithParam<PointRow>
{};

// The boxes of a point stand in one line with their brackets, the map button
// last, after the label that leads the row.
TEST_P(BattlefieldCoordinateRows, ReadAsOneLine)
{
    const PointRow &c = GetParam();
    enginetest::CommandNode cmd(c.record);
    cmd.edit([&](QDialog &d) {
        d.layout()->activate();
        QApplication::processEvents();
        auto *box = d.findChild<QLineEdit *>(QLatin1String(c.firstBox));
        ASSERT_NE(box, nullptr);
        QLabel *lead = labelFor(d, box);
        ASSERT_NE(lead, nullptr);
        QWidget *line = box->parentWidget();
        std::vector<std::pair<int, QString>> cells;
        for (QWidget *w : line->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!w->isVisibleTo(&d))
                continue;
            auto *label = qobject_cast<QLabel *>(w);
            cells.emplace_back(w->x(), label ? label->text().trimmed() : w->objectName());
        }
        std::sort(cells.begin(), cells.end());
        QStringList reads{lead->text()};
        for (const auto &[x, text] : cells)
            reads << text;
        EXPECT_EQ(reads.join(u' ').toStdString(), QString::fromUtf16(c.reads).toStdString());
        enginetest::click(d, "cCancel");
    });
}

const PointRow kPointRows[] = {
    {"55 cell", stored(0x55), "tX", u"좌표 : ( tX , tY ) cMap1"},
    {"6B cell", stored(0x6B), "tX", u"좌표 : ( tX , tY ) cMap1"},
    {"5B corners", stored(0x5B), "tX0", u"좌표 : ( tX0 , tY0 ) - ( tX1 , tY1 ) cMap1"},
    {"6D offset", stored(0x6D), "tX", u"상대 좌표 :  ( tX , tY )"},
    {"4E target point", fixtures::battlefieldRecord(0x4E, {{81, 2, 6}}), "tX2", u"좌표 : ( tX2 , tY2 ) cMap1"},
    {"4D zone", fixtures::battlefieldRecord(0x4D, {{9, 2, 2}}), "tX0", u"좌표 : ( tX0 , tY0 ) - ( tX1 , tY1 )"},
};

INSTANTIATE_TEST_SUITE_P(Battlefield, BattlefieldCoordinateRows, testing::ValuesIn(kPointRows),
                         testsupport::NameFromRow{});

} // namespace
