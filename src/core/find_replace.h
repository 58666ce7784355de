#pragma once
// Find and replace on a scenario tree, without any window.
//
// Find walks the tree in display order to the next command of a code or the
// next command whose caption holds a text. Replace rewrites the text
// parameter of the commands that carry one; every rewritten command passes
// its change of length to KeyEdit so the nested-length words stay right, and
// every rewrite is recorded for undo.
#include "core/edit_context.h"
#include "core/work_progress.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace core {

// --- find -------------------------------------------------------------------

// How a search matches; the values are MenuFind's options.
enum class FindMode : int {
    None = 0,      // never searched, or the search was cancelled
    ByList = 1,    // a code picked from the command list
    ByNumber = 2,  // a code typed in hex
    ByText = 3,    // a text inside the caption
};

struct FindQuery {
    FindMode mode = FindMode::None;
    int code = 0;   // ByList, ByNumber
    QString text;   // ByText: compared exactly, case included
};

// The first command node at or after `start` in display order that matches;
// kNoNode when none does (or the mode is None). The root, Scenes and
// Sections never match. Captions not made yet are made for the comparison
// only, so a search keeps no memory. `progress` counts nodes; when it answers
// false the search stops (kNoNode, `cancelled` set).
NodeId findFrom(const DocTree &tree, NodeId start, const FindQuery &query, const WorkProgress &progress = {},
                bool *cancelled = nullptr);
// Where a search "from the beginning" starts: the first Scene.
NodeId findStartOfTree(const DocTree &tree);
// Where a continued search starts: the node after `selected` in display
// order (kNoNode past the end), or the first Scene when nothing is selected.
// Starting after the selection lets repeated searches visit every match once.
NodeId findStartAfter(const DocTree &tree, NodeId selected);

// --- the text-bearing commands ----------------------------------------------

// A command whose text parameter replace rewrites, and the 1-based key
// position where that text's hex begins.
struct ReplaceTextField {
    int code;
    int start;
};
std::span<const ReplaceTextField> replaceTextFields();
// The text's start position for a command code; nullopt for codes without one.
std::optional<int> replaceTextStart(int code);

// The user's typed text with every two-character "\n" turned into a line
// feed. Only typed texts go through this: stored text already holds real
// line feeds, and a stored backslash followed by "n" stays as it is.
QString userLineBreaks(const QString &typed);

// One find/replace pair, prepared once for many texts.
class TextReplacer
{
public:
    // `find` and `replace` are the texts as meant (line feeds already real).
    TextReplacer(const QString &find, const QString &replace);

    bool isEmpty() const { return m_find.isEmpty(); }
    // The stored bytes (no terminator) with every occurrence of the find text
    // replaced, left to right without overlaps; nullopt when the text does
    // not hold it. Only the matched characters are re-encoded: the other
    // bytes, also bytes that are not valid CP949, are kept as stored.
    std::optional<QByteArray> apply(const QByteArray &stored) const;

private:
    QString m_find;
    QByteArray m_replaceBytes;
    QByteArray m_findBytes;  // for a quick byte-level rejection; empty: not usable
};

// --- replace ----------------------------------------------------------------

struct ReplaceOutcome {
    // The nodes rewritten, in the order they were rewritten.
    std::vector<NodeId> replaced;
    // Matches left as they were because the longer text would have pushed an
    // enclosing list past 65,535 bytes.
    std::vector<NodeId> tooLong;
    // A match whose text came out unchanged (the replace text equals the
    // find text) counts as found without being rewritten.
    NodeId found = kNoNode;
    // Not empty when the replace was taken back because a Section it
    // rewrote would no longer save: the message for the user, naming the
    // command. Nothing is then rewritten or recorded.
    QString refused;

    bool changed() const { return !replaced.empty(); }
};

// Rewrites the text of one node when it holds the find text: the key, the
// caption (rebuilt as node creation builds it), and the enclosing nested
// lengths. Returns the result; the edit record is left to the caller.
enum class ReplaceNodeStatus { NoMatch, Unchanged, Replaced, TooLong };
ReplaceNodeStatus replaceInNode(DocTree &tree, NodeId node, const TextReplacer &replacer,
                                const CaptionContext &captions);

// Replace one: the first text-bearing command at or after the selection (the
// first Scene when nothing is selected), in display order, whose text holds
// the find text. One undo step. `find` and `replace` are the user's typed
// texts ("\n" stands for a line break). An empty find text replaces nothing.
ReplaceOutcome replaceNext(EditContext &ctx, const QString &find, const QString &replace);
// Replace all: every text-bearing command of the tree, in display order.
// One undo step of one record (ReplaceTextsCommand) that keeps the record
// bytes of every rewritten command compactly. Commands whose text
// does not hold the find text are read from their stored bytes and left
// untouched (their keys and captions are not made). `progress` counts nodes;
// replace all does not stop half-way.
ReplaceOutcome replaceAll(EditContext &ctx, const QString &find, const QString &replace,
                          const WorkProgress &progress = {});

} // namespace core
