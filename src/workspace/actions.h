#pragma once
// The main window's menu items, one member each, so code reaches an item by
// a name the compiler checks. The window fills every member from the menu
// table (menus.cpp), whose rows name the member they fill; each action keeps
// its control name as objectName(). Menus and submenus are here as their
// menu actions (`->menu()` gives the menu).
class QAction;

namespace workspace {

struct Actions
{
    // "파일 (&F)"
    QAction *fileMenu = nullptr;
    QAction *newFile = nullptr;
    QAction *open = nullptr;
    QAction *gameFolder = nullptr;
    QAction *save = nullptr;
    QAction *saveAs = nullptr;
    QAction *close = nullptr;
    QAction *closeAll = nullptr;
    QAction *reload = nullptr;
    QAction *recentMenu = nullptr;
    QAction *recent1 = nullptr;
    QAction *recent2 = nullptr;
    QAction *recent3 = nullptr;
    QAction *recent4 = nullptr;
    QAction *recent5 = nullptr;
    QAction *convertToExtended = nullptr;
    QAction *exit = nullptr;

    // "편집 (&E)", also the tree's pop-up menu
    QAction *editMenu = nullptr;
    QAction *duelPreview = nullptr;
    QAction *placeWholeArmy = nullptr;
    QAction *undo = nullptr;
    QAction *redo = nullptr;
    QAction *editNode = nullptr;
    QAction *addNode = nullptr;
    QAction *addChildNode = nullptr;
    QAction *deleteNodes = nullptr;
    QAction *moveUp = nullptr;
    QAction *moveDown = nullptr;
    QAction *cut = nullptr;
    QAction *copy = nullptr;
    QAction *paste = nullptr;
    QAction *expand = nullptr;
    QAction *collapse = nullptr;

    // "검색 (&S)"
    QAction *searchMenu = nullptr;
    QAction *find = nullptr;
    QAction *replace = nullptr;
    QAction *variableList = nullptr;

    // "옵션 (&O)"
    QAction *optionMenu = nullptr;
    QAction *quickAddSettings = nullptr;
    QAction *rightClickClosesTab = nullptr;
    QAction *duelPreviewSpeed = nullptr;
    QAction *multiSelectMenu = nullptr;
    QAction *ctrlClickSelects = nullptr;
    QAction *shiftClickSelects = nullptr;
    QAction *personPickerMenu = nullptr;
    QAction *personPickerList = nullptr;
    QAction *personPickerNumber = nullptr;
    QAction *personPickerName = nullptr;

    // "기능 (&F)"
    QAction *functionMenu = nullptr;
    QAction *showMultiSelectView = nullptr;

    // "설정 (&C)", an item of the bar itself
    QAction *settings = nullptr;

    // "보기 (&V)"
    QAction *viewMenu = nullptr;
    QAction *showToolbar = nullptr;
    QAction *showStatusBar = nullptr;

    // "정보 (&I)"
    QAction *informationMenu = nullptr;
    QAction *about = nullptr;

    // The hidden bar item that patches the game's program.
    QAction *exePatch = nullptr;

    // Recent-file item 1 to 5; nullptr for another number.
    QAction *recent(int entry) const;
};

// An action member, as the menu and toolbar tables name it.
using ActionSlot = QAction *Actions::*;

} // namespace workspace
