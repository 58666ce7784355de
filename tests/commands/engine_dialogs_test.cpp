// Every dialog on the engine, through the dispatch: the catalogue's default
// command opens and OK leaves it as it was; random values in each field's
// range survive opening and OK; Cancel, Esc and the close box change
// nothing.
#include "commands/common/dialog_engine.h"
#include "commands/common/engine_test_support.h"
#include "support/param_names.h"

#include <set>
#include "core/catalogue.h"
#include "core/key_codec.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <random>

using namespace commands;
using enginetest::CommandNode;

namespace {

struct Row
{
    int code;
    const char *formName;
};

// The rows come from the registry: every dialog registered on the engine,
// under the window name it was registered with. Start-up has registered
// them before the test list is built.
std::vector<Row> engineRows()
{
    std::vector<Row> rows;
    for (const auto &[code, desc] : engineDialogs())
        rows.push_back({code, desc->formName});
    return rows;
}

class EngineDialogs : public ::testing::TestWithParam<Row> {};

std::vector<std::pair<std::int64_t, std::int64_t>> rangesOf(int code, int field)
{
    CommandNode cmd(core::defaultRecord(code));
    auto d = workspace::DialogRegistry::instance().createDialog(code, cmd.ctx);
    return static_cast<EngineDialog &>(*d).valueRanges(field);
}

TEST_P(EngineDialogs, DefaultCommandOpensAndOkLeavesIt)
{
    const Row row = GetParam();
    ASSERT_EQ(workspace::DialogRegistry::instance().dialogKind(row.code), workspace::DialogKind::Real);
    CommandNode cmd(core::defaultRecord(row.code));
    const QString key = cmd.key();
    QString formName;
    const bool changed = cmd.edit([&](QDialog &d) {
        formName = d.objectName();
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(formName, QString::fromLatin1(row.formName));
    EXPECT_FALSE(changed);
    EXPECT_EQ(cmd.key(), key);
    EXPECT_EQ(cmd.text(), CommandNode::caption(key));
    EXPECT_EQ(cmd.records, 0);
    EXPECT_EQ(cmd.marks, 0);
}

TEST_P(EngineDialogs, RandomValuesInRangeSurviveLoadAndOk)
{
    const Row row = GetParam();
    const DialogDescription &desc = *engineDialogs().at(row.code);
    std::mt19937 rng(row.code);
    for (int round = 0; round < 8; ++round) {
        QString record = core::defaultRecord(row.code);
        for (std::size_t i = 0; i < desc.fields.size(); ++i) {
            const FieldSpec &f = desc.fields[i];
            const auto ranges = rangesOf(row.code, int(i));
            ASSERT_FALSE(ranges.empty());
            const auto &[lo, hi] = ranges[std::uniform_int_distribution<std::size_t>(0, ranges.size() - 1)(rng)];
            const std::int64_t v = std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
            core::keyWriteField(record, f.pos, f.kind == FieldKind::Number ? f.width : 2, v);
        }
        SCOPED_TRACE(record.toStdString());
        CommandNode cmd(record);
        // A caption without its parameter words: an untouched OK does not
        // even rebuild it.
        cmd.tree.setText(cmd.node, core::menuName(row.code));
        EXPECT_FALSE(cmd.edit([](QDialog &d) { enginetest::click(d, "cConfig"); }));
        EXPECT_EQ(cmd.record(), record);
        EXPECT_EQ(cmd.text(), core::menuName(row.code));
        EXPECT_EQ(cmd.records, 0);
    }
}

TEST_P(EngineDialogs, CancelEscAndCloseChangeNothing)
{
    const Row row = GetParam();
    const std::function<void(QDialog &)> closers[] = {
        [](QDialog &d) { enginetest::click(d, "cCancel"); },
        [](QDialog &d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](QDialog &d) { d.close(); },
    };
    for (const auto &close : closers) {
        CommandNode cmd(core::defaultRecord(row.code));
        const QString key = cmd.key(), caption = cmd.text();
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            // Change what can be changed first.
            for (QComboBox *list : d.findChildren<QComboBox *>())
                list->setCurrentIndex(list->count() - 1);
            for (QLineEdit *box : d.findChildren<QLineEdit *>())
                if (box->isVisible())
                    box->setText(QStringLiteral("7"));
            close(d);
            EXPECT_FALSE(d.isVisible());
        }));
        EXPECT_EQ(cmd.key(), key);
        EXPECT_EQ(cmd.text(), caption);
        EXPECT_EQ(cmd.records, 0);
    }
}

void PrintTo(const Row &r, std::ostream *os) { *os << r.formName; }

INSTANTIATE_TEST_SUITE_P(AllRows, EngineDialogs, ::testing::ValuesIn(engineRows()),
                         [](const ::testing::TestParamInfo<Row> &info) { return testsupport::caseName(info.param.formName); });

TEST(EngineDialogRows, EveryEngineDialogIsRegisteredUnderItsName)
{
    // A dialog dropped from the engine's registration would silently leave
    // the rows; the count holds it.
    EXPECT_EQ(engineDialogs().size(), 60u);
    for (const auto &[code, desc] : engineDialogs())
        EXPECT_EQ(workspace::DialogRegistry::instance().formName(code), QString::fromLatin1(desc->formName));
}

} // namespace
