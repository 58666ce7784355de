#pragma once
// The two variable lists of a variable test (command 0x05): reading them from
// a key, writing a record from them, and the comma-separated text in which
// the dialog shows and edits a list. Free of widgets, so the dialog and the
// variable list share it and tests run it headless.
#include "commands/flow/variable_commands.h"

#include <QString>

#include <vector>

namespace commands::flow {

constexpr int kMaxVariable = 65535;
// A count is one 16-bit word.
constexpr int kMaxListEntries = 65535;

struct VariableTestLists {
    std::vector<int> trueVariables;
    std::vector<int> falseVariables;
};

// The lists of a 0x05 key; a list whose count runs past the record keeps the
// entries that are there.
VariableTestLists readVariableTest(const QString &key);

// The record part of a 0x05 with these lists, without a nested-length word:
// "0500", tag 35, the True count and values, tag 35, the False count and
// values.
QString variableTestRecord(const VariableTestLists &lists);

// "3,17,200"; an empty list is an empty text.
QString formatVariableList(const std::vector<int> &variables);

// The list a box's text stands for: blanks removed, split at ","; a piece
// counts by its leading digits (none: variable 0) and is held to 65535. An
// empty text is an empty list. At most kMaxListEntries entries are kept.
std::vector<int> parseVariableList(const QString &text);

// The text with every piece above 65535 replaced by "65535", as the box
// shows it while it is typed.
QString clampVariableListText(const QString &text);

} // namespace commands::flow
