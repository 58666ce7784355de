#include "workspace/main_window.h"

#include "menu_item.h"
#include "workspace/menus.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

enum : unsigned { Off = 1, Hidden = 2, Checked = 4, Sep = 8 };

struct Expected
{
    int level;
    const char *name;
    const char *caption;
    const char *shortcut;
    unsigned state;
};

// The menu tree as the window shows it when created, transcribed by hand.
const Expected kExpected[] = {
    {0, "mnuFile", "파일 (&F)", "", 0},
    {1, "mnuNewEEX", "새 파일 (&N)", "Ctrl+N", 0},
    {1, "mnuOpen", "열기 (&O)", "Ctrl+O", 0},
    {1, "mnuFolder", "폴더 설정 (&F)", "", 0},
    {1, "line", "", "", Sep},
    {1, "mnuSave", "저장 (&S)", "Ctrl+S", 0},
    {1, "mnuAnotherSave", "다른 이름으로 저장 (&A)", "", 0},
    {1, "Line2", "", "", Sep},
    {1, "mnuClose", "닫기 (&C)", "Ctrl+Q", 0},
    {1, "mnuAllClose", "모두 닫기 (&E)", "", 0},
    {1, "line6", "", "", Sep},
    {1, "mnufix", "새로 고침", "F5", 0},
    {1, "Line3", "", "", Sep},
    {1, "mnuRecent", "최근에 연 시나리오", "", Off},
    {2, "mnu1", "1. ", "", 0},
    {2, "mnu2", "2. ", "", Hidden},
    {2, "mnu3", "3. ", "", Hidden},
    {2, "mnu4", "4. ", "", Hidden},
    {2, "mnu5", "5. ", "", Hidden},
    {1, "line4", "", "", Sep},
    {1, "mnuConvertExt", "확장 형식으로 변환...", "", Off},
    {1, "mnuexit", "종료 (&X)", "", 0},
    {0, "mnuedit", "편집 (&E)", "", 0},
    {1, "mnuVS", "일기토 미리보기", "", Hidden},
    {1, "mnuWholeArmy", "전 아군 좌표 찍기", "", Hidden},
    {1, "mnuHistoryCancle", "실행 취소", "Ctrl+Z", Off},
    {1, "mnuAgain", "다시 실행", "Ctrl+Y", Off},
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
    {1, "mnupaste", "붙여넣기 (&P)", "Ctrl+V", Off},
    {1, "mnulinte", "", "", Sep},
    {1, "mnuSpread", "선택한 메뉴 펼치기", "", 0},
    {1, "mnuFold", "선택한 메뉴 접기", "", 0},
    {0, "mnuSearch", "검색 (&S)", "", 0},
    {1, "mnuFind", "찾기 (&F)", "Ctrl+F", 0},
    {1, "mnuReplace", "바꾸기 (&R)", "Ctrl+R", 0},
    {1, "Line9", "", "", Sep},
    {1, "mnuVarList", "변량 리스트 (&L)", "Ctrl+L", 0},
    {0, "mnuOption", "옵션 (&O)", "", 0},
    {1, "mnuFastAdd", "빠른 추가 설정", "", 0},
    {1, "mnuRightClick", "우클릭 탭 닫기", "", 0},
    {1, "mnuVSDelay", "일기토 미리보기 배속 설정", "", 0},
    {1, "mnuMulti", "다중 선택 키", "", 0},
    {2, "mnuCtrl", "Ctrl + Click", "", Checked},
    {2, "mnuShift", "Shift + Click", "", Checked},
    {1, "mnuinitchar", "인물 선택 초기 설정", "", 0},
    {2, "mnucharlist", "리스트", "", 0},
    {2, "mnucharnum", "번호", "", 0},
    {2, "mnucharname", "이름", "", 0},
    {0, "mnufunction", "기능 (&F)", "", 0},
    {1, "mnuCopyView", "MultiSelectView 띄우기", "", 0},
    {0, "mnuSetting", "설정 (&C)", "", 0},
    {0, "mnuView", "보기 (&V)", "", 0},
    {1, "mnuTool", "ToolBar (&T)", "", Checked},
    {1, "mnuStatusBar", "StatusBar (&S)", "", Checked},
    {0, "mnuInformation", "정보 (&I)", "", 0},
    {1, "mnuProgram", "프로그램 정보 (&P)", "F1", 0},
    {0, "mnuA", "a", "", Hidden},
};

struct Seen
{
    int level;
    QAction *action;
};

void walk(const QList<QAction *> &actions, int level, QList<Seen> &out)
{
    for (QAction *a : actions) {
        out.append({level, a});
        if (a->menu())
            walk(a->menu()->actions(), level + 1, out);
    }
}

TEST(MenuTree, EveryItemHasItsCaptionNameShortcutAndInitialState)
{
    workspace::MainWindow window;
    QList<Seen> seen;
    walk(window.menuBar()->actions(), 0, seen);
    ASSERT_EQ(seen.size(), int(std::size(kExpected)));
    for (int i = 0; i < seen.size(); ++i) {
        const Expected &e = kExpected[i];
        QAction *a = seen[i].action;
        SCOPED_TRACE(e.name);
        EXPECT_EQ(seen[i].level, e.level);
        EXPECT_EQ(a->objectName(), QString::fromUtf8(e.name));
        EXPECT_EQ(a->isSeparator(), bool(e.state & Sep));
        if (!(e.state & Sep)) {
            EXPECT_EQ(a->text(), QString::fromUtf8(e.caption));
        }
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromUtf8(e.shortcut)));
        EXPECT_EQ(a->isVisible(), !(e.state & Hidden));
        // A hidden action always reports itself disabled; show it to see its own state.
        if (!a->isVisible()) {
            a->setVisible(true);
            EXPECT_EQ(a->isEnabled(), !(e.state & Off));
            a->setVisible(false);
        } else {
            EXPECT_EQ(a->isEnabled(), !(e.state & Off));
        }
        EXPECT_EQ(a->isChecked(), bool(e.state & Checked));
    }
    for (const char *checkable : {"mnuRightClick", "mnuCtrl", "mnuShift", "mnucharlist", "mnucharnum", "mnucharname",
                                  "mnuTool", "mnuStatusBar"})
        EXPECT_TRUE(menutest::menuItem(window, checkable)->isCheckable()) << checkable;
}

TEST(MenuTree, EveryItemAndMenuHasItsOwnActionsMember)
{
    workspace::MainWindow window;
    const workspace::Actions &actions = window.actions();
    QList<Seen> seen;
    walk(window.menuBar()->actions(), 0, seen);
    QList<QAction *> members;
    for (const workspace::MenuEntry &e : workspace::menuTable()) {
        SCOPED_TRACE(e.name);
        if (e.flags & workspace::MenuSeparator) {
            EXPECT_EQ(e.slot, nullptr);
            continue;
        }
        ASSERT_NE(e.slot, nullptr);
        QAction *a = actions.*e.slot;
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->objectName(), QString::fromUtf8(e.name));
        EXPECT_FALSE(members.contains(a));
        members.append(a);
    }
    // Every member is filled by one row, and every item of the tree is a member.
    EXPECT_EQ(members.size(), int(sizeof(workspace::Actions) / sizeof(QAction *)));
    for (const Seen &s : seen)
        EXPECT_EQ(members.contains(s.action), !s.action->isSeparator()) << s.action->objectName().toStdString();
    for (int entry = 1; entry <= 5; ++entry)
        EXPECT_EQ(actions.recent(entry)->objectName(), QStringLiteral("mnu%1").arg(entry));
    EXPECT_EQ(actions.recent(0), nullptr);
    EXPECT_EQ(actions.recent(6), nullptr);
    EXPECT_EQ(actions.editMenu->menu()->objectName(), "mnuedit");
}

TEST(MenuTree, EveryHangulCharacterIsInTheMenuFont)
{
    workspace::MainWindow window;
    QList<Seen> seen;
    walk(window.menuBar()->actions(), 0, seen);
    for (const Seen &s : seen) {
        QWidget *shownIn = nullptr;
        if (s.level == 0) {
            shownIn = window.menuBar();
        } else {
            for (QObject *o : s.action->associatedObjects()) {
                if (auto *m = qobject_cast<QMenu *>(o); m && m->menuAction() != s.action)
                    shownIn = m;
            }
        }
        ASSERT_NE(shownIn, nullptr) << s.action->objectName().toStdString();
        const QFontMetrics metrics(shownIn->font());
        for (const char32_t c : s.action->text().toUcs4()) {
            const bool hangul = (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F);
            if (hangul) {
                EXPECT_TRUE(metrics.inFontUcs4(c)) << s.action->text().toStdString();
            }
        }
    }
}

TEST(Toolbar, ButtonsShareTheMenuActionsInOrder)
{
    workspace::MainWindow window;
    const struct
    {
        const char *key;
        const char *action;
    } expected[] = {{"새 파일", "mnuNewEEX"}, {"열기", "mnuOpen"},   {"저장", "mnuSave"},  {nullptr, nullptr},
                    {"잘라내기", "mnuCut"},   {"복사", "mnuCopy"},    {"붙여넣기", "mnupaste"}, {"삭제", "mnuDelete"},
                    {nullptr, nullptr},       {"도움말", "mnuProgram"}};
    const QList<QAction *> actions = window.toolbar()->actions();
    ASSERT_EQ(actions.size(), int(std::size(expected)));
    for (int i = 0; i < actions.size(); ++i) {
        if (!expected[i].key) {
            EXPECT_TRUE(actions[i]->isSeparator());
            continue;
        }
        EXPECT_EQ(actions[i], menutest::menuItem(window, expected[i].action));
        EXPECT_EQ(actions[i]->toolTip(), QString::fromUtf8(expected[i].key));
        // A picture on every button, with or without the desktop's icon theme.
        EXPECT_FALSE(actions[i]->icon().isNull()) << expected[i].key;
        auto *button = qobject_cast<QToolButton *>(window.toolbar()->widgetForAction(actions[i]));
        ASSERT_NE(button, nullptr);
        EXPECT_NE(button->toolButtonStyle(), Qt::ToolButtonTextOnly) << expected[i].key;
    }
    EXPECT_FALSE(menutest::menuItem(window, "mnupaste")->isEnabled()); // "붙여넣기" starts disabled
    EXPECT_EQ(window.statusText(), QString::fromUtf8("Double Click, Space : 수정   |  U, I, O, P : 빠른 추가   |   "
                                                     "Ctrl, Shift + 클릭 : 여러개 선택"));
    EXPECT_EQ(window.windowTitle(), "Storyloom 1.0.2");
}

} // namespace
