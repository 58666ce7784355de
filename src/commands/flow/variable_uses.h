#pragma once
// Every use of a game variable in a scenario tree: each variable a variable
// test (0x05) names in its True or False list, then each variable a variable
// assignment (0x0B) sets, each group in display order. Headless, over the
// document tree.
#include "core/doc_tree.h"

#include <QString>

#include <vector>

namespace commands::flow {

struct VariableUse {
    std::int32_t variable = 0;
    QString use;  // "시험 True", "시험 False", "설정 True", "설정 False"
    QString key;  // the key of the command node it comes from
};

std::vector<VariableUse> gatherVariableUses(const core::DocTree &tree);

// "Var" and the number, as the list shows a variable.
QString variableText(std::int32_t variable);

} // namespace commands::flow
