#include "workspace/menus.h"


namespace workspace {

namespace {

constexpr unsigned Sep = MenuSeparator;
constexpr unsigned Doc = MenuDocument;

constexpr MenuEntry kMenu[] = {
    {0, "mnuFile", "파일 (&F)", "", 0},
    {1, "mnuNewEEX", "새 파일 (&N)", "Ctrl+N", 0},
    {1, "mnuOpen", "열기 (&O)", "Ctrl+O", 0},
    {1, "mnuFolder", "폴더 설정 (&F)", "", 0},
    {1, "line", "", "", Sep},
    {1, "mnuSave", "저장 (&S)", "Ctrl+S", Doc},
    {1, "mnuAnotherSave", "다른 이름으로 저장 (&A)", "", Doc},
    {1, "Line2", "", "", Sep},
    {1, "mnuClose", "닫기 (&C)", "Ctrl+Q", Doc},
    {1, "mnuAllClose", "모두 닫기 (&E)", "", Doc},
    {1, "line6", "", "", Sep},
    {1, "mnufix", "새로 고침", "F5", Doc},
    {1, "Line3", "", "", Sep},
    {1, "mnuRecent", "최근에 연 시나리오", "", MenuDisabled},
    {2, "mnu1", "1. ", "", 0},
    {2, "mnu2", "2. ", "", MenuHidden},
    {2, "mnu3", "3. ", "", MenuHidden},
    {2, "mnu4", "4. ", "", MenuHidden},
    {2, "mnu5", "5. ", "", MenuHidden},
    {1, "line4", "", "", Sep},
    {1, "mnuConvertExt", "확장 형식으로 변환...", "", MenuDisabled},
    {1, "mnuexit", "종료 (&X)", "", 0},

    {0, "mnuedit", "편집 (&E)", "", MenuDocumentMenu},
    {1, "mnuVS", "일기토 미리보기", "", MenuHidden},
    {1, "mnuWholeArmy", "전 아군 좌표 찍기", "", MenuHidden},
    {1, "mnuHistoryCancle", "실행 취소", "Ctrl+Z", MenuDisabled},
    {1, "mnuAgain", "다시 실행", "Ctrl+Y", MenuDisabled},
    {1, "mnuLine_21", "", "", Sep},
    {1, "mnuEditnodes", "수정 (&E)", "Ctrl+E", 0},
    {1, "mnuaddnodes", "추가 (&A)", "Ctrl+A", 0},
    {1, "mnuchildnodes", "자사건 추가 (&H)", "Ctrl+D", 0},
    {1, "mnuDelete", "삭제", "Del", 0},
    {1, "line8", "", "", Sep},
    {1, "mnuUpmove", "위로 이동 (Ctrl + Up)", "", 0},
    {1, "mnuDownmove", "아래로 이동 (Ctrl + Down)", "", 0},
    {1, "Line5", "", "", Sep},
    {1, "mnuCut", "잘라내기 (&T)", "Ctrl+X", 0},
    {1, "mnuCopy", "복사 (&C)", "Ctrl+C", 0},
    {1, "mnupaste", "붙여넣기 (&P)", "Ctrl+V", MenuDisabled},
    {1, "mnulinte", "", "", Sep},
    {1, "mnuSpread", "선택한 메뉴 펼치기", "", 0},
    {1, "mnuFold", "선택한 메뉴 접기", "", 0},

    {0, "mnuSearch", "검색 (&S)", "", MenuDocumentMenu},
    {1, "mnuFind", "찾기 (&F)", "Ctrl+F", 0},
    {1, "mnuReplace", "바꾸기 (&R)", "Ctrl+R", 0},
    {1, "Line9", "", "", Sep},
    {1, "mnuVarList", "변량 리스트 (&L)", "Ctrl+L", 0},

    {0, "mnuOption", "옵션 (&O)", "", 0},
    {1, "mnuFastAdd", "빠른 추가 설정", "", 0},
    {1, "mnuRightClick", "우클릭 탭 닫기", "", MenuCheckable},
    {1, "mnuVSDelay", "일기토 미리보기 배속 설정", "", 0},
    {1, "mnuMulti", "다중 선택 키", "", 0},
    {2, "mnuCtrl", "Ctrl + Click", "", MenuCheckable | MenuChecked},
    {2, "mnuShift", "Shift + Click", "", MenuCheckable | MenuChecked},
    {1, "mnuinitchar", "인물 선택 초기 설정", "", 0},
    {2, "mnucharlist", "리스트", "", MenuCheckable | MenuCharSelect},
    {2, "mnucharnum", "번호", "", MenuCheckable | MenuCharSelect},
    {2, "mnucharname", "이름", "", MenuCheckable | MenuCharSelect},

    {0, "mnufunction", "기능 (&F)", "", 0},
    {1, "mnuCopyView", "MultiSelectView 띄우기", "", 0},

    {0, "mnuSetting", "설정 (&C)", "", MenuBarItem},

    {0, "mnuView", "보기 (&V)", "", 0},
    {1, "mnuTool", "ToolBar (&T)", "", MenuCheckable | MenuChecked},
    {1, "mnuStatusBar", "StatusBar (&S)", "", MenuCheckable | MenuChecked},

    {0, "mnuInformation", "정보 (&I)", "", 0},
    {1, "mnuProgram", "프로그램 정보 (&P)", "F1", 0},

    {0, "mnuA", "a", "", MenuBarItem | MenuHidden},
};

constexpr ToolButtonEntry kToolbar[] = {
    {"새 파일", "mnuNewEEX", "document-new"},
    {"열기", "mnuOpen", "document-open"},
    {"저장", "mnuSave", "document-save"},
    {"", "", ""},
    {"잘라내기", "mnuCut", "edit-cut"},
    {"복사", "mnuCopy", "edit-copy"},
    {"붙여넣기", "mnupaste", "edit-paste"},
    {"삭제", "mnuDelete", "edit-delete"},
    {"", "", ""},
    {"도움말", "mnuProgram", "help-about"},
};

} // namespace

std::span<const MenuEntry> MenuTable() { return kMenu; }

std::span<const ToolButtonEntry> ToolbarTable() { return kToolbar; }

QString DefaultStatusText()
{
    return QStringLiteral("Double Click, Space : 수정   |  U, I, O, P : 빠른 추가   |   Ctrl, Shift + 클릭 : 여러개 선택");
}

} // namespace workspace
