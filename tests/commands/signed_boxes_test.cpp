// A 4-byte field holds a signed number, so a number box stops at
// 2,147,483,647 (and the box that takes a sign at -2,147,483,648): a number
// typed past that is stored as the limit, never as the negative number its
// low 32 bits would read.
#include "commands/common/engine_test_support.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/param_tags.h"
#include "platform/number_box.h"
#include "platform/prompts.h"
#include "support/drawn_keys.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <climits>

namespace {

using enginetest::CommandNode;

struct TypedCase
{
    int code;
    const char *box;
    const char *typed;
    int pos;  // 1-based character position of the 4-byte field
    std::int32_t stored;
};

// Types into the box (its whole text replaced) and confirms.
QString typeAndConfirm(const QString &record, const char *box, const QString &typed)
{
    CommandNode cmd(record);
    platform::ScriptedPrompts prompts;
    cmd.edit([&](QDialog &d) {
        auto *edit = d.findChild<QLineEdit *>(QLatin1String(box));
        ASSERT_TRUE(edit) << box;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        enginetest::click(d, "cConfig");
    });
    return cmd.key();
}

TEST(SignedBoxes, ANumberPastTheSignedRangeIsStoredAsItsLimit)
{
    const TypedCase cases[] = {
        {0x23, "tNum", "3000000000", 17, INT32_MAX},   // repeat count
        {0x23, "tNum", "4294967296", 17, INT32_MAX},
        {0x26, "tX0", "3000000000", 17, INT32_MAX},    // zone corners
        {0x26, "tY1", "3000000000", 53, INT32_MAX},
        {0x29, "tX", "3000000000", 17, INT32_MAX},     // face point
        {0x2A, "tY", "2147483648", 29, INT32_MAX},
        {0x70, "tValue", "3000000000", 25, INT32_MAX}, // selection value, with a sign
        {0x70, "tValue", "-3000000000", 25, INT32_MIN},
        {0x70, "tValue", "-2147483648", 25, INT32_MIN},
        {0x26, "tX0", "2147483647", 17, INT32_MAX},
    };
    for (const TypedCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + " " + c.box + " " + c.typed);
        const QString key = typeAndConfirm(core::defaultRecord(c.code), c.box, QString::fromLatin1(c.typed));
        EXPECT_EQ(core::keyField(key, c.pos, 4), c.stored) << key.toStdString();
    }
}

// Every number box of every dialog: a number typed far past the signed
// range writes no negative number into a 4-byte item.
class SignedBoxSweep : public ::testing::TestWithParam<int>
{
};

TEST_P(SignedBoxSweep, NoTypedNumberTurnsNegative)
{
    const int code = GetParam();
    QRandomGenerator rng(quint32(code) * 31u + 5u);
    const QString record = testsupport::drawRecord(code, rng, 0);
    std::vector<QString> boxes;
    CommandNode(record).edit([&](QDialog &d) {
        for (QLineEdit *e : d.findChildren<QLineEdit *>())
            if (e->isVisible() && e->isEnabled() && (qobject_cast<platform::NumberBox *>(e) || e->validator()))
                boxes.push_back(e->objectName());
    });
    for (const QString &box : boxes) {
        const QString key = typeAndConfirm(record, box.toLatin1().constData(), QStringLiteral("99999999999"));
        const std::optional<QByteArray> bytes = core::recordBytes(key);
        ASSERT_TRUE(bytes);
        for (int at = 2; at + 2 <= bytes->size();) {
            const std::optional<int> len = core::itemByteLength(*bytes, at);
            if (!len)
                break;
            const int tag = quint8((*bytes)[at]) | quint8((*bytes)[at + 1]) << 8;
            if (core::tagValueWidth(tag) == 4 && core::keyField(key, 2 * at + 5, 4) < 0)
                EXPECT_EQ(core::keyField(key, 2 * at + 5, 4), core::keyField(record, 2 * at + 5, 4))
                    << "code " << std::hex << code << " box " << box.toStdString() << ": " << key.toStdString();
            at += *len;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, SignedBoxSweep, ::testing::ValuesIn(testsupport::codesWithDialogs()),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return testsupport::codeCaseName(info.param);
                         });

} // namespace
