#include "commands/flow/variable_test_record.h"

#include "core/key_codec.h"
#include "core/param_tags.h"

#include <algorithm>

namespace commands::flow {

namespace {

// The value of the leading decimal digits, held to 65535 (0 when none).
int leadingValue(QStringView piece)
{
    qint64 v = 0;
    for (QChar c : piece) {
        if (!c.isDigit() || c.unicode() > '9')
            break;
        v = std::min<qint64>(v * 10 + (c.unicode() - '0'), kMaxVariable + 1);
    }
    return int(v);
}

// Reads a count at the 1-based position and as many of its entries as the
// record holds; returns the position after the list.
int readList(QStringView record, int pos, std::vector<int> &out)
{
    const int count = core::keyField(record, pos, 2) & 0xFFFF;
    const int available = std::max(0, int(record.size()) - (pos + 3)) / 4;
    const int n = std::min(count, available);
    out.reserve(std::size_t(n));
    for (int j = 0; j < n; ++j)
        out.push_back(core::keyField(record, pos + 4 + 4 * j, 2) & 0xFFFF);
    return pos + 4 + 4 * count;
}

QString tagText(int tag) { return core::longToHex(tag, 2, true); }

} // namespace

VariableTestLists readVariableTest(const QString &key)
{
    const QStringView record = core::recordPart(key);
    VariableTestLists lists;
    const int afterTrue = readList(record, 9, lists.trueVariables);
    // The second list's count stands after the first list's tag.
    if (afterTrue + 4 <= record.size())
        readList(record, afterTrue + 4, lists.falseVariables);
    return lists;
}

QString variableTestRecord(const VariableTestLists &lists)
{
    QString r = core::longToHex(kVariableTestCode, 2, true);
    for (const std::vector<int> *list : {&lists.trueVariables, &lists.falseVariables}) {
        r += tagText(core::tags::VariableList);
        r += core::longToHex(qint64(list->size()), 2, true);
        for (int v : *list)
            r += core::longToHex(v, 2, true);
    }
    return r;
}

QString formatVariableList(const std::vector<int> &variables)
{
    QStringList parts;
    parts.reserve(qsizetype(variables.size()));
    for (int v : variables)
        parts << QString::number(v);
    return parts.join(u',');
}

std::vector<int> parseVariableList(const QString &text)
{
    QString compact = text;
    compact.remove(u' ');
    std::vector<int> out;
    if (compact.isEmpty())
        return out;
    for (QStringView piece : QStringView(compact).split(u',')) {
        if (int(out.size()) == kMaxListEntries)
            break;
        out.push_back(std::min(leadingValue(piece), kMaxVariable));
    }
    return out;
}

QString clampVariableListText(const QString &text)
{
    QStringList pieces = text.split(u',');
    for (QString &p : pieces)
        if (leadingValue(p) > kMaxVariable)
            p = QString::number(kMaxVariable);
    return pieces.join(u',');
}

} // namespace commands::flow
