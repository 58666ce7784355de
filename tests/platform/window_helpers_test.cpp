#include "platform/window_helpers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

static_assert(platform::IIfLong(true, 5, 7) == 5);
static_assert(platform::IIfLong(false, 5, 7) == 7);

TEST(WindowHelpers, SetTransparentSetsTheWindowsOpacity)
{
    QWidget window;
    auto *child = new QWidget(&window);
    platform::SetTransparent(child, 128);
    EXPECT_NEAR(window.windowOpacity(), 128 / 255.0, 0.01);
    platform::SetTransparent(&window, 255);
    EXPECT_NEAR(window.windowOpacity(), 1.0, 0.01);
    platform::SetTransparent(nullptr, 0);
}

TEST(WindowHelpers, ComboDropsAbout450PixelsTall)
{
    QComboBox combo;
    for (int i = 0; i < 200; ++i)
        combo.addItem(QString::number(i));
    platform::SetComboDropHeight(&combo);
    const int row = combo.view()->sizeHintForRow(0);
    ASSERT_GT(row, 0);
    const int listHeight = combo.maxVisibleItems() * row + combo.sizeHint().height();
    EXPECT_GT(combo.maxVisibleItems(), 10);
    EXPECT_LE(listHeight, platform::kComboDropHeight);
    EXPECT_GT(listHeight, platform::kComboDropHeight - row - 1);
}

} // namespace
