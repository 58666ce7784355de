#pragma once
// A duel as the preview plays it: the duel start among the children of a
// node, then every duel command after it up to the list's end node, each
// turned into one step with its fields read and out-of-range values replaced.
// Plain data, no window.
#include "core/doc_tree.h"

#include <QString>

#include <optional>
#include <vector>

namespace commands::duel {

enum class StepKind {
    Advent,   // 0x60: enter, take an action, speak
    Label,    // 0x61: the result label
    Die,      // 0x62
    Say,      // 0x63
    Active,   // 0x64
    Attack1,  // 0x65
    Attack2,  // 0x66
    Delay,    // 0x09: tenths of a second
};

struct DuelStep
{
    StepKind kind = StepKind::Label;
    int fighter = 0;     // 0 the own side, 1 the enemy
    int value = 0;       // action, result or kind, already bounded
    bool flag = false;   // Say: pause; Attack1: critical strike; Attack2: hit (the stored miss flag inverted)
    QString text;        // Advent, Say: CR LF at each line break, ending with a NUL character
    qint32 count = 0;    // Delay
    friend bool operator==(const DuelStep &, const DuelStep &) = default;
};

// A child of the selected node: its command code and key.
struct ScriptNode
{
    int code = -1;
    QString key;
};

struct DuelScript
{
    int startIndex = -1;   // 0-based among the children
    int persons[2] = {0, 0};
    std::vector<DuelStep> steps;
};

// The fighter a command's 16-bit flag names: 1 is the own fighter except in
// a death (0x62), where it is the enemy; any other value the own fighter in
// a death and, but for 0, in the others.
int fighterOf(int code, int flag);

// The speech text from character 17 of a key: a CP949 lead byte (0x81..0xFE)
// takes the next byte with it, 0x0A becomes CR LF, every other byte its own
// code, the terminating 00 included. `endPos` receives the 1-based position
// just after the 00 (or the end of the record).
QString speechText(const QString &key, int *endPos = nullptr);

// One step for a command, or nothing for codes the player passes over.
std::optional<DuelStep> stepOf(int code, const QString &key);

// The first duel start among the nodes and the steps after it, the last node
// (the list's end node) excluded. Empty when there is no duel start.
std::optional<DuelScript> scriptOf(const std::vector<ScriptNode> &children);
std::vector<ScriptNode> childrenOf(const core::DocTree &tree, core::NodeId parent);

} // namespace commands::duel
