#include "commands/flow/variable_uses.h"

#include "commands/flow/variable_commands.h"
#include "commands/flow/variable_test_record.h"
#include "core/key_codec.h"
#include "core/tree_queries.h"

namespace commands::flow {

namespace {

// Finds each command of the code in display order, nested lists included,
// from the first node under the root.
template <typename Visit>
void forEachCommand(const core::DocTree &tree, int code, Visit visit)
{
    core::NodeId n = tree.firstChild(tree.root());
    while (n != core::kNoNode && core::menuFind(tree, n, 1, code, QString(), false)) {
        visit(n);
        n = tree.nextInOrder(n);
    }
}

} // namespace

QString variableText(std::int32_t variable)
{
    return QStringLiteral("Var") + QString::number(variable);
}

std::vector<VariableUse> gatherVariableUses(const core::DocTree &tree)
{
    std::vector<VariableUse> uses;
    forEachCommand(tree, kVariableTestCode, [&](core::NodeId n) {
        const QString &key = tree.key(n);
        const VariableTestLists lists = readVariableTest(key);
        for (int v : lists.trueVariables)
            uses.push_back({v, QStringLiteral("시험 True"), key});
        for (int v : lists.falseVariables)
            uses.push_back({v, QStringLiteral("시험 False"), key});
    });
    forEachCommand(tree, kVariableSetCode, [&](core::NodeId n) {
        const QString &key = tree.key(n);
        const bool value = (core::keyField(key, kSetValuePos, 2) & 0xFFFF) != 0;
        uses.push_back({core::keyField(key, kSetVariablePos, 4), value ? QStringLiteral("설정 True") : QStringLiteral("설정 False"),
                        key});
    });
    return uses;
}

} // namespace commands::flow
