// The optional blocks of the dialog engine on descriptions made for the
// test: the unit target block above the fields, a battle-map button beside
// its coordinate boxes, a list the dialog fills itself, and the rules for
// writing number boxes and placing check boxes.
#include "commands/common/dialog_engine.h"
#include "commands/common/list_sources.h"
#include "commands/common/number_field.h"
#include "commands/common/unit_target_block.h"
#include "engine_test_support.h"
#include "core/key_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace commands;
using enginetest::CommandNode;

namespace {

BuiltList threeSizes(const workspace::ProgramServices &)
{
    BuiltList l;
    for (int v : {10, 20, 30}) {
        l.texts << QStringLiteral("S%1").arg(v);
        l.values.push_back(v);
    }
    return l;
}

// A value between two sizes selects the smaller one.
int selectSize(int stored, const BuiltList &items)
{
    int index = -1;
    for (int i = 0; i < items.size(); ++i)
        if (items.values[std::size_t(i)] <= stored)
            index = i;
    return index;
}

QString sizeWord(int stored, const workspace::ProgramServices &) { return QStringLiteral("Size %1").arg(stored); }

const FieldSpec kFields[] = {
    coordinateField(45, "tX", NumberKind::Coordinate),
    coordinateField(57, "tY", NumberKind::Coordinate),
    listField(69, "cbSize", u"크기", {}),
    numberField(77, "tCount", u"수"),
    checkField(89, "ckFlag", u"표시"),
};
const MapButtonRow kMaps[] = {{}};
const CustomListSpec kLists[] = {{"cbSize", threeSizes, selectSize, sizeWord}};

DialogDescription blocks(NumberSave numbers, CheckPlace checks)
{
    return {.code = 0x55, .formName = "FrmTestBlocks", .title = u"수정 - 시험",
            .target = {.form = TargetForm::PersonBf, .frameCaption = u"Char Or BF"},
            .fields = kFields, .maps = kMaps, .customLists = kLists,
            .numbers = numbers, .checks = checks};
}

QString record(std::initializer_list<std::pair<int, int>> values)
{
    QString r = core::longToHex(0x55, 2) + QString(100 * 2 - 4, u'0');
    for (const auto &[pos, v] : values)
        core::keyWriteField(r, pos, 2, v);
    return r;
}

struct Opened
{
    CommandNode cmd;
    DialogDescription description;
    std::unique_ptr<EngineDialog> d;
    Opened(const QString &rec, NumberSave numbers = NumberSave::BoxValue, CheckPlace checks = CheckPlace::WholeRow)
        : cmd(rec), description(blocks(numbers, checks))
    {
        d = std::make_unique<EngineDialog>(cmd.ctx, description);
        d->show();
    }
    template <class W> W *find(const char *name) { return d->findChild<W *>(QLatin1String(name)); }
    QString saved()
    {
        cmd.ctx.change.reset();
        d->configButton()->click();
        return cmd.ctx.change ? cmd.ctx.change->key.section(u'_', 0, 0) : cmd.record();
    }
};

TEST(DialogEngineBlocks, TargetBlockStandsAboveTheFieldsAndLoadsItsMode)
{
    // Mode 1: the battlefield index, 7.
    Opened o(record({{9, 1}, {17, 0xFFFF}, {25, 7}}));
    ASSERT_TRUE(o.d->target());
    EXPECT_EQ(o.d->target()->mode(), UnitTargetBlock::BattlefieldIndex);
    EXPECT_EQ(o.find<NumberField>("tBFIndex")->text(), QStringLiteral("7"));
    ASSERT_TRUE(o.find<QWidget>("Quillframe1"));
    EXPECT_LT(o.find<QWidget>("Quillframe1")->y(), o.find<QComboBox>("cbSize")->y());
}

TEST(DialogEngineBlocks, MapButtonSitsInTheRowOfItsBoxes)
{
    Opened o(record({}));
    auto *button = o.find<QPushButton>("cMap1");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->parentWidget(), o.find<NumberField>("tY")->parentWidget());
}

TEST(DialogEngineBlocks, OwnListSelectsByItsRuleAndKeepsValuesNoItemStandsFor)
{
    const struct {
        int stored;
        const char *text;
    } cases[] = {{20, "S20"}, {25, "Size 25"}, {5, "Size 5"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        const QString stored = record({{69, c.stored}});
        Opened o(stored);
        EXPECT_EQ(o.find<QComboBox>("cbSize")->currentText(), QLatin1String(c.text));
        EXPECT_EQ(o.saved(), stored);
    }
    Opened o(record({{69, 25}}));
    o.find<QComboBox>("cbSize")->setCurrentIndex(2);
    EXPECT_EQ(core::keyField(o.saved(), 69, 2), 30);
}

TEST(DialogEngineBlocks, ClearedNumberBoxIsWrittenByTheDescriptionsRule)
{
    const struct {
        NumberSave rule;
        int written;
    } cases[] = {{NumberSave::BoxValue, 0}, {NumberSave::WholeNumberOnly, 12}};
    for (const auto &c : cases) {
        Opened o(record({{77, 12}}), c.rule);
        o.find<NumberField>("tCount")->setText(QString());
        EXPECT_EQ(core::keyField(o.saved(), 77, 4), c.written);
    }
}

TEST(DialogEngineBlocks, CheckBoxStandsWhereTheDescriptionPlacesIt)
{
    Opened whole(record({}), NumberSave::BoxValue, CheckPlace::WholeRow);
    EXPECT_LT(whole.find<QCheckBox>("ckFlag")->x(), whole.find<NumberField>("tCount")->x());
    Opened column(record({}), NumberSave::BoxValue, CheckPlace::FieldColumn);
    EXPECT_EQ(column.find<QCheckBox>("ckFlag")->x(), column.find<NumberField>("tCount")->x());
}

} // namespace
