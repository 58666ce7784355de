// The colour toolbar of the three text dialogs shows all ten colour buttons
// at the width each dialog opens with, none of them behind the overflow
// arrow.
#include "commands/common/engine_test_support.h"
#include "core/catalogue.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Case
{
    int code;
    int width;  // the width the dialog opens with (0: as its controls need)
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << "code 0x" << std::hex << c.code << std::dec << ", width " << c.width;
}

class ColorToolbar : public testing::TestWithParam<Case>
{};

TEST_P(ColorToolbar, AllTenButtonsShowAtTheDialogsWidth)
{
    const Case c = GetParam();
    enginetest::CommandNode n(core::defaultRecord(c.code));
    bool seen = false;
    n.edit([&](QDialog &d) {
        seen = true;
        if (c.width)
            EXPECT_EQ(d.width(), c.width);
        auto *bar = d.findChild<QToolBar *>(QStringLiteral("Toolbar1"));
        ASSERT_NE(bar, nullptr);
        const QStringList keys = {"Black", "Red", "Orange", "Yellow", "Green",
                                  "Blue", "Purple", "Gray", "Gal", "Pink"};
        ASSERT_EQ(bar->actions().size(), keys.size());
        for (int i = 0; i < keys.size(); ++i) {
            QAction *a = bar->actions()[i];
            EXPECT_EQ(a->objectName(), keys[i]);
            QWidget *button = bar->widgetForAction(a);
            ASSERT_NE(button, nullptr) << qPrintable(keys[i]);
            EXPECT_TRUE(button->isVisible()) << qPrintable(keys[i]);
            EXPECT_TRUE(bar->rect().contains(button->geometry())) << qPrintable(keys[i]);
            EXPECT_TRUE(d.rect().contains(QRect(button->mapTo(&d, QPoint(0, 0)), button->size())))
                << qPrintable(keys[i]);
        }
        const auto *overflow = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
        EXPECT_TRUE(!overflow || !overflow->isVisible());
    });
    EXPECT_TRUE(seen);
}

INSTANTIATE_TEST_SUITE_P(TextDialogs, ColorToolbar,
                         testing::Values(Case{0x14, 265}, Case{0x02, 265}, Case{0x15, 0}, Case{0x12, 329}),
                         [](const testing::TestParamInfo<Case> &i) {
                             return QStringLiteral("Code%1").arg(i.param.code, 2, 16, QLatin1Char('0')).toStdString();
                         });

} // namespace
