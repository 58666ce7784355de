// The weather dialogs of commands 0x56 (kind) and 0x57 (pattern).
#include "commands/common/engine_test_support.h"
#include "core/key_codec.h"
#include "support/param_names.h"

#include <QComboBox>
#include <gtest/gtest.h>

using enginetest::CommandNode;

namespace {

struct Case
{
    int code;
    const char *list;
    int stored;
    int shownItem;
    int chosen;     // item chosen before OK, -1 for none
    int written;
    const char16_t *captionWord;
};

class WeatherDialogs : public ::testing::TestWithParam<Case> {};

TEST_P(WeatherDialogs, LoadChooseAndSave)
{
    const Case c = GetParam();
    const int tag = c.code == 0x56 ? 0x47 : 0x22;
    CommandNode cmd(core::longToHex(c.code, 2) + core::longToHex(tag, 2) + core::longToHex(c.stored, 2));
    cmd.edit([&](QDialog &d) {
        auto *list = d.findChild<QComboBox *>(QLatin1String(c.list));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->currentIndex(), c.shownItem);
        if (c.chosen >= 0)
            list->setCurrentIndex(c.chosen);
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(core::keyField(cmd.key(), 9, 2), c.written);
    EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    EXPECT_TRUE(cmd.text().endsWith(QString::fromUtf16(c.captionWord))) << cmd.text().toStdString();
    EXPECT_EQ(cmd.records, c.stored == c.written ? 0 : 1);
}

// "Code56_Stored4_Kept", "Code57_Stored65535_Chosen1": the command, the
// stored value and what is done before OK.
std::string rowName(const Case &c)
{
    const std::string action = c.chosen < 0 ? std::string("Kept") : "Chosen" + std::to_string(c.chosen);
    return testsupport::caseName("Code" + QString::number(c.code, 16).toStdString() + "_Stored" +
                                 std::to_string(c.stored) + "_" + action);
}

void PrintTo(const Case &c, std::ostream *os) { *os << rowName(c); }

INSTANTIATE_TEST_SUITE_P(
    Cases, WeatherDialogs,
    ::testing::Values(Case{0x56, "cbWeatherKind", 0, 0, -1, 0, u"맑음"},
                      Case{0x56, "cbWeatherKind", 4, 4, -1, 4, u"눈"},
                      Case{0x56, "cbWeatherKind", 1, 1, 3, 3, u"호우"},
                      // No such kind or pattern: shown as a last item of its own, kept.
                      Case{0x56, "cbWeatherKind", 7, 5, -1, 7, u"7"},
                      Case{0x57, "cbWeather", 6, 6, -1, 6, u""},  // the caption names no pattern
                      Case{0x57, "cbWeather", 0xFFFF, 6, -1, 0xFFFF, u""},
                      Case{0x57, "cbWeather", 0xFFFF, 6, 1, 1, u"맑음/맑음/흐림/맑음/맑음"},
                      Case{0x57, "cbWeather", 5, 5, -1, 5, u"호우/비/호우/눈/눈"},
                      Case{0x57, "cbWeather", 0, 0, 2, 2, u"맑음/맑음/비/흐림/눈"}),
    [](const ::testing::TestParamInfo<Case> &info) { return rowName(info.param); });

TEST(WeatherDialogs, WindowsAndTheirLists)
{
    struct Window
    {
        const char *record;
        const char16_t *title;
        const char *list;
        QStringList items;
    } windows[] = {
        {"560047000000", u"수정 - 56 : 날씨조절", "cbWeatherKind", {"맑음", "흐림", "비", "호우", "눈"}},
        {"570022000000", u"수정 - 57 : 날씨변화설정", "cbWeather",
         {"맑음", "맑음/맑음/흐림/맑음/맑음", "맑음/맑음/비/흐림/눈", "흐림/맑음/비/흐림/눈",
          "비/흐림/호우/눈/눈", "호우/비/호우/눈/눈"}},
    };
    for (const Window &w : windows) {
        CommandNode cmd(QString::fromLatin1(w.record));
        cmd.edit([&](QDialog &d) {
            EXPECT_EQ(d.windowTitle(), QString::fromUtf16(w.title));
            auto *list = d.findChild<QComboBox *>(QLatin1String(w.list));
            ASSERT_TRUE(list);
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            EXPECT_EQ(items, w.items);
            EXPECT_FALSE(list->isEditable());
            EXPECT_FALSE(d.findChild<QWidget *>("oList"));  // no picker
        });
    }
}

} // namespace
