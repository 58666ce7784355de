#include "commands/duel/duel_script.h"

#include "commands/duel/duel_lists.h"
#include "core/key_codec.h"
#include "core/tree_queries.h"
#include "platform/cp949.h"

namespace commands::duel {

namespace {

constexpr int kTextPos = 17;

int field(const QString &key, int pos, int width = 2)
{
    return core::keyField(key, pos, width);
}

int bounded(int value, int last)
{
    return value >= 0 && value <= last ? value : 0;
}

int byteAt(QStringView record, int pos)
{
    if (pos + 1 > record.size())
        return -1;
    const int hi = core::hexDigitValue(record[pos - 1]);
    const int lo = core::hexDigitValue(record[pos]);
    return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

} // namespace

int fighterOf(int code, int flag)
{
    if (code == 0x62)
        return flag == 1 ? 1 : 0;
    return flag == 0 ? 1 : 0;
}

QString speechText(const QString &key, int *endPos)
{
    const QStringView record = core::recordPart(key);
    QString out;
    int pos = kTextPos;
    for (;;) {
        const int b = byteAt(record, pos);
        if (b < 0)
            break;
        if (b >= 0x81 && b <= 0xFE) {
            const int trail = byteAt(record, pos + 2);
            if (trail < 0) {
                pos += 2;
                break;
            }
            QByteArray pair;
            pair.append(char(b));
            pair.append(char(trail));
            out += platform::Cp949::decode(pair);
            pos += 4;
            continue;
        }
        pos += 2;
        if (b == 0x0A) {
            out += QStringLiteral("\r\n");
            continue;
        }
        out += QChar(b);
        if (b == 0)
            break;
    }
    if (endPos)
        *endPos = pos;
    return out;
}

std::optional<DuelStep> stepOf(int code, const QString &key)
{
    DuelStep s;
    const int flag = field(key, 9);
    s.fighter = fighterOf(code, flag);
    switch (code) {
    case 0x60: {
        s.kind = StepKind::Advent;
        int end = 0;
        s.text = speechText(key, &end);
        s.value = bounded(field(key, end + 4), kLastAction);
        s.flag = true;
        return s;
    }
    case 0x61:
        s = DuelStep{};
        s.kind = StepKind::Label;
        return s;
    case 0x62:
        s.kind = StepKind::Die;
        return s;
    case 0x63: {
        s.kind = StepKind::Say;
        int end = 0;
        s.text = speechText(key, &end);
        s.flag = field(key, end + 4) == 1;
        return s;
    }
    case 0x64:
        s.kind = StepKind::Active;
        s.value = bounded(field(key, 17), kLastAction);
        return s;
    case 0x65:
        s.kind = StepKind::Attack1;
        s.value = bounded(field(key, 17), kLastAttackResult);
        s.flag = field(key, 25) == 1;
        return s;
    case 0x66:
        s.kind = StepKind::Attack2;
        s.value = bounded(field(key, 17), kLastAttackKind);
        s.flag = field(key, 25) != 1;
        return s;
    case 0x09:
        s = DuelStep{};
        s.kind = StepKind::Delay;
        s.count = core::keyField(key, 9, 4);
        return s;
    default:
        return std::nullopt;
    }
}

std::optional<DuelScript> scriptOf(const std::vector<ScriptNode> &children)
{
    const int n = int(children.size());
    for (int p = 0; p < n; ++p) {
        if (children[p].code != 0x68)
            continue;
        DuelScript script;
        script.startIndex = p;
        script.persons[0] = field(children[p].key, 9);
        script.persons[1] = field(children[p].key, 17);
        for (int i = p + 1; i < n - 1; ++i)
            if (auto step = stepOf(children[i].code, children[i].key))
                script.steps.push_back(std::move(*step));
        return script;
    }
    return std::nullopt;
}

std::vector<ScriptNode> childrenOf(const core::DocTree &tree, core::NodeId parent)
{
    std::vector<ScriptNode> out;
    for (core::NodeId c = tree.firstChild(parent); c != core::kNoNode; c = tree.next(c))
        out.push_back({core::nodeNumber(tree, c), tree.key(c)});
    return out;
}

} // namespace commands::duel
