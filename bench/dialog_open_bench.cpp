// Opening a command dialog with the character picker (5,125 persons) must
// stay well under 50 ms: the user double-clicks a node and expects the
// window at once. Measured from building the window to its first paint.
#include "commands/common/dialog_engine.h"
#include "commands/common/person_list_model.h"
#include "core/catalogue.h"
#include "core/doc_tree.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

core::NameTables benchNames(int variant)
{
    core::NameTables names;
    for (int i = 0; i < 1024; ++i)
        names.charNames << QStringLiteral("장수%1-%2").arg(i).arg(variant);
    for (const char16_t *g : {u"모든 인물", u"아군or우군", u"적군", u"아군직면인물"})
        names.charNames << QString::fromUtf16(g);
    for (int k = 0; k < 4096; ++k)
        names.charNames << u'*' + QString::number(k);
    return names;
}

// The shape of the level-up dialog: the picker and one number box. (The
// dialogs' own registrations are not linked into the benchmark program.)
const commands::FieldSpec kFields[] = {
    commands::personField(9),
    commands::numberField(17, "tAddNum", u"등급 상승"),
};
const commands::DialogDescription kLevelUp{
    .code = 0x39, .formName = "FrmCharLvAdd39", .title = u"수정 - 39 : 무장등급상승", .fields = kFields};

struct OneNode
{
    core::DocTree tree;
    workspace::EditContext ctx{tree};
    explicit OneNode(const core::NameTables &names)
    {
        const QString key = core::defaultRecord(0x39) + QStringLiteral("_1");
        ctx.node = tree.add(tree.root(), core::Relation::LastChild, key, core::menuName(0x39));
        ctx.captions.names = &names;
        ctx.readSetting = [](const QString &, const QString &) { return QStringLiteral("1"); };
    }
};

void openAndShow(workspace::EditContext &ctx)
{
    auto dialog = std::make_unique<commands::EngineDialog>(ctx, kLevelUp);
    dialog->show();
    QApplication::processEvents();
    dialog->close();
}

// The usual case: the shared person list is already up to date.
void BM_OpenLevelUpDialog(benchmark::State &state)
{
    const core::NameTables names = benchNames(0);
    OneNode node(names);
    openAndShow(node.ctx);
    for (auto _ : state)
        openAndShow(node.ctx);
}
BENCHMARK(BM_OpenLevelUpDialog)->Unit(benchmark::kMillisecond);

// The first opening after the game's names changed: the list is rebuilt.
void BM_OpenLevelUpDialogAfterNamesChanged(benchmark::State &state)
{
    const core::NameTables names[2] = {benchNames(1), benchNames(2)};
    OneNode first(names[0]), second(names[1]);
    int turn = 0;
    for (auto _ : state) {
        openAndShow(turn ? second.ctx : first.ctx);
        turn ^= 1;
    }
}
BENCHMARK(BM_OpenLevelUpDialogAfterNamesChanged)->Unit(benchmark::kMillisecond);

} // namespace
