// Every scene-presentation and unit dialog not checked elsewhere, opened on a
// stored command: its window name and title, and each control under its
// name with its caption or the text of the label that names it.
#include "commands/common/dialog_controls_support.h"
#include "support/param_names.h"

#include <QComboBox>

#include <ostream>
#include <set>
#include <string>
#include <utility>

using namespace controlstest;

namespace {

struct Row
{
    const char *name;
    DialogCase dialog;
};

void PrintTo(const Row &r, std::ostream *os)
{
    *os << r.name;
}

// The character picker under its label: the three views and the label.
std::vector<Control> picker(const char *label = "인물")
{
    return with({{"cbChar", label}, {"tNum", label}, {"tName", label}, {"lblcbChar", label}}, kPickerModes);
}

// A labelled control of the dialog engine: the control named by its label,
// and the label itself under the name the engine gives it.
std::vector<Control> labelled(const char *name, const char *text)
{
    // A set keeps each name where it is while more are added.
    static std::set<std::string> labelNames;
    const std::string &label = *labelNames.insert(std::string("lbl") + name).first;
    return {{name, text}, {label.c_str(), text}};
}

std::vector<Control> join(std::initializer_list<std::vector<Control>> parts)
{
    std::vector<Control> out;
    for (const auto &p : parts)
        out = with(out, p);
    return out;
}

DialogCase dialog(int code, const char *form, const char *title, std::vector<Control> controls,
                  std::vector<std::vector<const char *>> rowsLeftToRight = {})
{
    return {stored(code), form, titleOf(title), std::move(controls), std::move(rowsLeftToRight)};
}

const std::vector<Row> &rows()
{
    static const std::vector<Row> r = {
        {"20 face set", dialog(0x20, "FrmFaceChange20", "수정 - 20 : 얼굴변화설정",
                               {{"Label1", "얼굴 "}, {"cbFace", "얼굴 "}})},
        {"22 movie", dialog(0x22, "FrmMovie22", "수정 - 22 : 동영상", {{"Label1", "동영상"}, {"cbMovie", "동영상"}})},
        {"23 sound effect",
         dialog(0x23, "FrmMusic23", "수정 - 23 : 음악",
                {{"Label1", "음악"},
                 {"cbMusic", "음악"},
                 {"cListen", "듣기"},
                 {"Label2", "반복 수 (0은 무한) "},
                 {"tNum", "반복 수 (0은 무한) "}})},
        {"24 music track", dialog(0x24, "FrmTrack24", "수정 - 24 : 트랙",
                                  {{"Label1", "트랙"}, {"cbTrack", "트랙"}, {"cListen", "듣기"}})},
        {"27 background",
         dialog(0x27, "FrmBackGround27", "수정 - 27 : 배경설정",
                {{"Label1", "배경 유형"},
                 {"cbKind", "배경 유형"},
                 {"Label2", "외배경"},
                 {"cbOut", "외배경"},
                 {"Label3", "중국지도"},
                 {"cbWholeMap", "중국지도"},
                 {"Label4", "내배경"},
                 {"cbIn", "내배경"},
                 {"Label5", "전장지도"},
                 {"cbHM", "전장지도"}})},
        {"28 free action", dialog(0x28, "FrmR28", "Form1", {{"Label1", "Case"}, {"tNum"}})},
        {"33 unit direction",
         dialog(0x33, "FrmCharDirection33", "수정 - 33 : 무장방향",
                join({picker(), labelled("cbActive", "동작"), labelled("cbDirection", "방향"), {{"pbModel"}}}))},
        {"34 unit action", dialog(0x34, "FrmCharActive34", "수정 - 34 : 무장동작",
                                  join({picker(), labelled("cbActive", "동작"), {{"pbModel"}}}))},
        {"35 unit model", dialog(0x35, "FrmRModelChange35", "수정 - 35 : 무장평조변경",
                                 join({picker(), labelled("cbModel", "평조"), {{"pbModel"}}}))},
        {"36 ability test",
         dialog(0x36, "FrmIsCharAbility36", "수정 - 36 : 무장능력시험",
                join({picker(), labelled("cbAbility", "능력"), labelled("cbCompare", "비교"),
                      labelled("tCompareNum", "숫자")}))},
        {"37 quantity test",
         dialog(0x37, "FrmIsThings37", "수정 - 37 : 돈,SceIndex,야심시험",
                join({labelled("cbThings", "여러가지"), labelled("cbCompare", "비교"),
                      labelled("tCompareNum", "숫자")}))},
        {"38 ability setting",
         dialog(0x38, "FrmSetCharAbility38", "수정 - 38 : 무장능력설정",
                join({picker(), labelled("cbAbility", "능력"), labelled("cbOperator", "연산"),
                      labelled("tOperationNum", "숫자")}))},
        {"39 level up", dialog(0x39, "FrmCharLvAdd39", "수정 - 39 : 무장등급상승",
                               join({picker(), labelled("tAddNum", "등급 상승")}))},
        {"3A quantity setting",
         dialog(0x3A, "FrmSetThings3A", "수정 - 3A : 돈,SceIndex,야심설정",
                join({labelled("cbThings", "여러가지"), labelled("cbOperator", "연산"),
                      labelled("tCompareNum", "숫자")}))},
        {"3B join", dialog(0x3B, "FrmJoinChar3B", "수정 - 3B : 무장추가",
                           join({picker(), labelled("cbJoin", "가입 Or 탈퇴"), labelled("cbLV", "Lv")}))},
        {"3C join test", dialog(0x3C, "FrmIsJoinChar3C", "수정- 3C : 무장가입시험",
                                join({picker(), labelled("cbJoin", "가입 Or 탈퇴"), labelled("cbCompare", "비교")}))},
        {"3D item gain",
         dialog(0x3D, "FrmGetItem3D", "수정 - 3D : 물품획득",
                join({picker("시점 변화 인물"), labelled("cbItem", "물품"), labelled("cbItemLv", "Lv"),
                      {{"ckPoint", "시점 변화"}}}),
                {{"cbItem", "cbItemLv"}, {"ckPoint", "cbChar"}})},
        {"3E equipment",
         dialog(0x3E, "FrmSetCharEquipment3E", "수정 - 3E : 무장장비설정",
                join({picker(), labelled("cbWeapon", "무기"), labelled("cbWLv", "Lv"), labelled("cbDefence", "방어구"),
                      labelled("cbDLv", "Lv"), labelled("cbAssist", "보조")}),
                {{"cbWeapon", "cbWLv"}, {"cbDefence", "cbDLv"}})},
        {"3F turn test", dialog(0x3F, "FrmIsTurn3F", "수정 - 3F : 턴수시험",
                                join({labelled("cbCompare", "비교"), labelled("tCompareNum", "숫자")}))},
        {"40 acting side test",
         dialog(0x40, "FrmIsWhoTurn40", "수정 - 40 : 행동측시험", labelled("cbTurn", "행동측"))},
    };
    return r;
}

class PresentationUnitsControls : public testing::TestWithParam<Row>
{};

TEST_P(PresentationUnitsControls, NamesAndCaptions)
{
    checkDialog(GetParam().dialog);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, PresentationUnitsControls, testing::ValuesIn(rows()), testsupport::NameFromRow{});

// The lists whose items the dialogs hold themselves (not counted from the
// settings or read from the game), on a new command.
struct ListRow
{
    const char *name;
    int code;
    const char *list;
    std::vector<const char *> items;
};

void PrintTo(const ListRow &r, std::ostream *os)
{
    *os << r.name;
}

const std::vector<const char *> kCompare = {">=", "< ", "= "};
const std::vector<const char *> kOperator = {"= ", "+ ", "- "};
const std::vector<const char *> kThings = {"돈", "SceIndex", "야심"};
const std::vector<const char *> kAbility = {"Atk", "Def", "Spr", "Cri", "Mor", "HP", "MP", "HPCur", "MPCur",
                                            "Lv", "무력", "통솔", "지력", "민첩", "운", "얼굴", "無"};
const std::vector<const char *> kPoses = {"보통", "하궤", "검홍", "거수", "곡", "신수", "작읍",
                                          "반좌검홍", "반좌거수", "반좌곡", "도하", "단슬궤지", "피박",
                                          "휘검양기", "칼부림침", "매장", "기신", "단수거기", "無 "};
const std::vector<const char *> kJoin = {"Data가입", "보존가입", "탈퇴"};

const std::vector<ListRow> &listRows()
{
    static const std::vector<ListRow> r = {
        {"27 kinds", 0x27, "cbKind", {"외배경", "중국지도", "내배경", "전장지도"}},
        {"27 whole map", 0x27, "cbWholeMap", {"중국지도", "無"}},
        {"33 poses", 0x33, "cbActive", kPoses},
        {"33 facings", 0x33, "cbDirection", {"북쪽", "동쪽", "남쪽", "서쪽", "묵인방향"}},
        {"34 poses", 0x34, "cbActive", kPoses},
        {"36 abilities", 0x36, "cbAbility", kAbility},
        {"36 comparisons", 0x36, "cbCompare", kCompare},
        {"37 quantities", 0x37, "cbThings", kThings},
        {"37 comparisons", 0x37, "cbCompare", kCompare},
        {"38 abilities", 0x38, "cbAbility", kAbility},
        {"38 operations", 0x38, "cbOperator", kOperator},
        {"3A quantities", 0x3A, "cbThings", kThings},
        {"3A operations", 0x3A, "cbOperator", kOperator},
        {"3B join kinds", 0x3B, "cbJoin", kJoin},
        {"3C join kinds", 0x3C, "cbJoin", kJoin},
        {"3C comparisons", 0x3C, "cbCompare", {"≠ ", "= "}},
        {"3F comparisons", 0x3F, "cbCompare", kCompare},
        {"40 sides", 0x40, "cbTurn", {"아군차례", "우군차례", "적군차례"}},
    };
    return r;
}

class PresentationUnitsLists : public testing::TestWithParam<ListRow>
{};

TEST_P(PresentationUnitsLists, ItemsInOrder)
{
    const ListRow &row = GetParam();
    enginetest::CommandNode n(stored(row.code));
    bool opened = false;
    n.edit([&](QDialog &d) {
        opened = true;
        auto *list = d.findChild<QComboBox *>(QLatin1String(row.list));
        ASSERT_NE(list, nullptr) << row.list;
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        QStringList expected;
        for (const char *item : row.items)
            expected << u8(item);
        EXPECT_EQ(items.join(u'|').toStdString(), expected.join(u'|').toStdString());
    });
    EXPECT_TRUE(opened);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, PresentationUnitsLists, testing::ValuesIn(listRows()), testsupport::NameFromRow{});

} // namespace
