// Every scene-presentation and unit dialog not checked elsewhere, opened on a
// stored command: its window name and title, and each control under its
// name with its caption or the text of the label that names it.
#include "commands/common/dialog_controls_support.h"
#include "support/param_names.h"

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

DialogCase dialog(int code, const char *form, const char *title, std::vector<Control> controls)
{
    return {stored(code), form, titleOf(title), std::move(controls)};
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
                      {{"ckPoint", "시점 변화"}}}))},
        {"3E equipment",
         dialog(0x3E, "FrmSetCharEquipment3E", "수정 - 3E : 무장장비설정",
                join({picker(), labelled("cbWeapon", "무기"), labelled("cbWLv", "Lv"), labelled("cbDefence", "방어구"),
                      labelled("cbDLv", "Lv"), labelled("cbAssist", "보조")}))},
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

} // namespace
