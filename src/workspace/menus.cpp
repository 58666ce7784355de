#include "workspace/menus.h"


namespace workspace {

namespace {

constexpr unsigned Sep = MenuSeparator;
constexpr unsigned Doc = MenuDocument;

constexpr MenuEntry kMenu[] = {
    {0, "mnuFile", "파일 (&F)", "", 0, &Actions::fileMenu},
    {1, "mnuNewEEX", "새 파일 (&N)", "Ctrl+N", 0, &Actions::newFile},
    {1, "mnuOpen", "열기 (&O)", "Ctrl+O", 0, &Actions::open},
    {1, "mnuFolder", "폴더 설정 (&F)", "", 0, &Actions::gameFolder},
    {1, "line", "", "", Sep, nullptr},
    {1, "mnuSave", "저장 (&S)", "Ctrl+S", Doc, &Actions::save},
    {1, "mnuAnotherSave", "다른 이름으로 저장 (&A)", "", Doc, &Actions::saveAs},
    {1, "Line2", "", "", Sep, nullptr},
    {1, "mnuClose", "닫기 (&C)", "Ctrl+Q", Doc, &Actions::close},
    {1, "mnuAllClose", "모두 닫기 (&E)", "", Doc, &Actions::closeAll},
    {1, "line6", "", "", Sep, nullptr},
    {1, "mnufix", "새로 고침", "F5", Doc, &Actions::reload},
    {1, "Line3", "", "", Sep, nullptr},
    {1, "mnuRecent", "최근에 연 시나리오", "", MenuDisabled, &Actions::recentMenu},
    {2, "mnu1", "1. ", "", 0, &Actions::recent1},
    {2, "mnu2", "2. ", "", MenuHidden, &Actions::recent2},
    {2, "mnu3", "3. ", "", MenuHidden, &Actions::recent3},
    {2, "mnu4", "4. ", "", MenuHidden, &Actions::recent4},
    {2, "mnu5", "5. ", "", MenuHidden, &Actions::recent5},
    {1, "line4", "", "", Sep, nullptr},
    {1, "mnuConvertExt", "확장 형식으로 변환...", "", MenuDisabled, &Actions::convertToExtended},
    {1, "mnuexit", "종료 (&X)", "", 0, &Actions::exit},

    {0, "mnuedit", "편집 (&E)", "", MenuDocumentMenu, &Actions::editMenu},
    {1, "mnuVS", "일기토 미리보기", "", MenuHidden, &Actions::duelPreview},
    {1, "mnuWholeArmy", "전 아군 좌표 찍기", "", MenuHidden, &Actions::placeWholeArmy},
    {1, "mnuHistoryCancle", "실행 취소", "Ctrl+Z", MenuDisabled, &Actions::undo},
    {1, "mnuAgain", "다시 실행", "Ctrl+Y", MenuDisabled, &Actions::redo},
    {1, "mnuLine_21", "", "", Sep, nullptr},
    {1, "mnuEditnodes", "수정 (&E)", "Ctrl+E", 0, &Actions::editNode},
    {1, "mnuaddnodes", "추가 (&A)", "Ctrl+A", 0, &Actions::addNode},
    {1, "mnuchildnodes", "자사건 추가 (&H)", "Ctrl+D", 0, &Actions::addChildNode},
    {1, "mnuDelete", "삭제", "Del", 0, &Actions::deleteNodes},
    {1, "line8", "", "", Sep, nullptr},
    {1, "mnuUpmove", "위로 이동 (Ctrl + Up)", "", 0, &Actions::moveUp},
    {1, "mnuDownmove", "아래로 이동 (Ctrl + Down)", "", 0, &Actions::moveDown},
    {1, "Line5", "", "", Sep, nullptr},
    {1, "mnuCut", "잘라내기 (&T)", "Ctrl+X", 0, &Actions::cut},
    {1, "mnuCopy", "복사 (&C)", "Ctrl+C", 0, &Actions::copy},
    {1, "mnupaste", "붙여넣기 (&P)", "Ctrl+V", MenuDisabled, &Actions::paste},
    {1, "mnulinte", "", "", Sep, nullptr},
    {1, "mnuSpread", "선택한 메뉴 펼치기", "", 0, &Actions::expand},
    {1, "mnuFold", "선택한 메뉴 접기", "", 0, &Actions::collapse},

    {0, "mnuSearch", "검색 (&S)", "", MenuDocumentMenu, &Actions::searchMenu},
    {1, "mnuFind", "찾기 (&F)", "Ctrl+F", 0, &Actions::find},
    {1, "mnuReplace", "바꾸기 (&R)", "Ctrl+R", 0, &Actions::replace},
    {1, "Line9", "", "", Sep, nullptr},
    {1, "mnuVarList", "변량 리스트 (&L)", "Ctrl+L", 0, &Actions::variableList},

    {0, "mnuOption", "옵션 (&O)", "", 0, &Actions::optionMenu},
    {1, "mnuFastAdd", "빠른 추가 설정", "", 0, &Actions::quickAddSettings},
    {1, "mnuRightClick", "우클릭 탭 닫기", "", MenuCheckable, &Actions::rightClickClosesTab},
    {1, "mnuVSDelay", "일기토 미리보기 배속 설정", "", 0, &Actions::duelPreviewSpeed},
    {1, "mnuMulti", "다중 선택 키", "", 0, &Actions::multiSelectMenu},
    {2, "mnuCtrl", "Ctrl + Click", "", MenuCheckable | MenuChecked, &Actions::ctrlClickSelects},
    {2, "mnuShift", "Shift + Click", "", MenuCheckable | MenuChecked, &Actions::shiftClickSelects},
    {1, "mnuinitchar", "인물 선택 초기 설정", "", 0, &Actions::personPickerMenu},
    {2, "mnucharlist", "리스트", "", MenuCheckable | MenuCharSelect, &Actions::personPickerList},
    {2, "mnucharnum", "번호", "", MenuCheckable | MenuCharSelect, &Actions::personPickerNumber},
    {2, "mnucharname", "이름", "", MenuCheckable | MenuCharSelect, &Actions::personPickerName},

    {0, "mnufunction", "기능 (&F)", "", 0, &Actions::functionMenu},
    {1, "mnuCopyView", "MultiSelectView 띄우기", "", 0, &Actions::showMultiSelectView},

    {0, "mnuSetting", "설정 (&C)", "", MenuBarItem, &Actions::settings},

    {0, "mnuView", "보기 (&V)", "", 0, &Actions::viewMenu},
    {1, "mnuTool", "ToolBar (&T)", "", MenuCheckable | MenuChecked, &Actions::showToolbar},
    {1, "mnuStatusBar", "StatusBar (&S)", "", MenuCheckable | MenuChecked, &Actions::showStatusBar},

    {0, "mnuInformation", "정보 (&I)", "", 0, &Actions::informationMenu},
    {1, "mnuProgram", "프로그램 정보 (&P)", "F1", 0, &Actions::about},

    {0, "mnuA", "a", "", MenuBarItem | MenuHidden, &Actions::exePatch},
};

constexpr ToolButtonEntry kToolbar[] = {
    {"새 파일", &Actions::newFile, "document-new"},
    {"열기", &Actions::open, "document-open"},
    {"저장", &Actions::save, "document-save"},
    {"", nullptr, ""},
    {"잘라내기", &Actions::cut, "edit-cut"},
    {"복사", &Actions::copy, "edit-copy"},
    {"붙여넣기", &Actions::paste, "edit-paste"},
    {"삭제", &Actions::deleteNodes, "edit-delete"},
    {"", nullptr, ""},
    {"도움말", &Actions::about, "help-about"},
};

} // namespace

std::span<const MenuEntry> menuTable() { return kMenu; }

std::span<const ToolButtonEntry> toolbarTable() { return kToolbar; }

QString defaultStatusText()
{
    return QStringLiteral("Double Click, Space : 수정   |  U, I, O, P : 빠른 추가   |   Ctrl, Shift + 클릭 : 여러개 선택");
}

} // namespace workspace
