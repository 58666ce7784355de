#include "platform/window_helpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

static_assert(platform::iifLong(true, 5, 7) == 5);
static_assert(platform::iifLong(false, 5, 7) == 7);

TEST(WindowHelpers, SetTransparentSetsTheWindowsOpacity)
{
    QWidget window;
    auto *child = new QWidget(&window);
    platform::setTransparent(child, 128);
    EXPECT_NEAR(window.windowOpacity(), 128 / 255.0, 0.01);
    platform::setTransparent(&window, 255);
    EXPECT_NEAR(window.windowOpacity(), 1.0, 0.01);
    platform::setTransparent(nullptr, 0);
}

// A shown window with one combo box of `items` entries near `top`, in a
// given style; opens its list and reads where the list lies.
struct OpenList
{
    QWidget window;
    QComboBox *combo = nullptr;
    std::unique_ptr<QStyle> style;

    OpenList(const QString &styleName, int items, int top, bool editable = false)
    {
        style.reset(QStyleFactory::create(styleName));
        combo = new QComboBox(&window);
        combo->setStyle(style.get());
        combo->setEditable(editable);
        for (int i = 0; i < items; ++i)
            combo->addItem(QStringLiteral("명령 %1").arg(i));
        combo->setCurrentIndex(items / 2);
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(combo);
        window.move(20, top);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        combo->showPopup();
    }
    ~OpenList() { combo->hidePopup(); }

    QWidget *popup() const { return combo->view()->window(); }
    QRect box() const { return QRect(combo->mapToGlobal(QPoint(0, 0)), combo->size()); }
    int row() const { return combo->view()->sizeHintForRow(0); }
};

QStringList styles()
{
    QStringList out;
    for (const QString &name : {QStringLiteral("Fusion"), QStringLiteral("Windows")})
        if (QStyleFactory::keys().contains(name, Qt::CaseInsensitive))
            out << name;
    return out;
}

// The add-command list holds 122 commands and cannot be typed into: whatever
// the style, the box and its open list are about 450 pixels tall together.
TEST(DropDownHeight, ALongListOpensAbout450PixelsTallInEveryStyle)
{
    ASSERT_FALSE(styles().isEmpty());
    for (const QString &name : styles()) {
        for (bool editable : {false, true}) {
            SCOPED_TRACE(name.toStdString() + (editable ? " editable" : " fixed"));
            OpenList list(name, 122, 40, editable);
            ASSERT_TRUE(list.popup()->isVisible());
            ASSERT_NE(list.popup(), &list.window);
            const int total = list.box().height() + list.popup()->height();
            EXPECT_LE(total, platform::kComboDropHeight);
            EXPECT_GT(total, platform::kComboDropHeight - list.row() - 8);
            // Below the box, and the current item in view.
            EXPECT_EQ(list.popup()->geometry().top(), list.box().bottom() + 1);
            const QRect current = list.combo->view()->visualRect(list.combo->view()->currentIndex());
            EXPECT_TRUE(list.combo->view()->viewport()->rect().intersects(current));
        }
    }
}

TEST(DropDownHeight, AShortListKeepsItsOwnHeight)
{
    for (const QString &name : styles()) {
        SCOPED_TRACE(name.toStdString());
        OpenList list(name, 5, 40);
        EXPECT_LT(list.popup()->height(), 8 * list.row() + 20);
        EXPECT_GE(list.popup()->height(), 5 * list.row());
    }
}

TEST(DropDownHeight, WithoutRoomBelowTheListOpensAbove)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QString &name : styles()) {
        SCOPED_TRACE(name.toStdString());
        OpenList list(name, 122, screen.bottom() - 60);
        const int total = list.box().height() + list.popup()->height();
        EXPECT_LE(total, platform::kComboDropHeight);
        EXPECT_GT(total, platform::kComboDropHeight - list.row() - 8);
        EXPECT_EQ(list.popup()->geometry().bottom(), list.box().top() - 1);
    }
}

TEST(DropDownHeight, InstallingTwiceFiltersOnce)
{
    platform::installDropDownHeightLimit(*qApp); // the test program installed it already
    OpenList list(QStringLiteral("Fusion"), 122, 40);
    EXPECT_LE(list.box().height() + list.popup()->height(), platform::kComboDropHeight);
}

} // namespace
