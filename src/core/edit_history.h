#pragma once
// One document's undo and redo history. Each open document owns one, so two
// documents never share records even when their keys coincide.
//
// A step is what one undo reverts; it may hold several records (a child
// event's marker and block, a multi-selection move, a replace all). A
// multi-selection delete or cut is a step per removed unit and a paste of
// many nodes a step per pasted node, undone one by one. At most kMaxSteps steps are kept; the oldest goes first.
// A new step drops whatever could still be redone.
//
// Records describe the change by keys, in the text form "part~ ※ ~part..."
// the status line and tests read, and each owns the snapshots it needs to
// rebuild nodes, so no store is shared between records or documents.
#include "core/doc_tree.h"
#include "core/subtree_snapshot.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace core {

enum class RecordKind : std::uint8_t {
    None = 0,
    Delete = 1,         // parts: neighbour key, "Previous" or "Next", deleted key
    Add = 2,            // parts: added key, key of the node it stands before
    AddChildEvent = 3,  // parts: block key, marker key, block's first child key, key of the node after
    Edit = 4,           // parts: new key, new caption, old key, old caption
    MoveUp = 5,         // parts: moved key
    MoveDown = 6,       // parts: moved key
};

// Separator of the parts of a record text.
inline const QString kRecordSeparator = QStringLiteral("~ \u203B ~");
inline const QString kDeletedBeforeNeighbour = QStringLiteral("Previous");  // neighbour is the next sibling
inline const QString kDeletedAfterNeighbour = QStringLiteral("Next");       // neighbour is the previous sibling

struct EditRecord {
    RecordKind kind = RecordKind::None;
    QStringList parts;
    // Delete: the deleted node. Add: the added node. Child event: marker, block.
    std::vector<NodeSnapshot> nodes;
    // Moves: where the moved unit's first node stood and stands (rows among
    // its siblings), how many nodes the unit has, and its parent's key.
    int fromRow = -1;
    int toRow = -1;
    int unitSize = 1;
    QString parentKey;

    QString text() const { return parts.join(kRecordSeparator); }
};

struct EditStep {
    std::vector<EditRecord> records;
    bool isEmpty() const { return records.empty(); }
};

// The record of a change, read from the tree at the moment of the call, as
// each caller calls it: kinds 1 before the removal (where 3: the neighbour is
// the next sibling, 2: the previous), kinds 2 and 3 after the insertion with
// `selected` the node the new nodes stand before, kind 4 after the edit with
// the key and caption from before it. Moves build their records themselves.
EditRecord HistoryRecord(const DocTree &tree, RecordKind kind, NodeId selected, const QString &preKey = {},
                         const QString &preText = {}, int where = 3);

class EditHistory
{
public:
    static constexpr int kMaxSteps = 50;

    bool canUndo() const { return m_undoSteps > 0; }
    bool canRedo() const { return m_undoSteps < int(m_steps.size()); }
    int undoStepCount() const { return m_undoSteps; }
    int redoStepCount() const { return int(m_steps.size()) - m_undoSteps; }
    void clear();

    // Appends a step (empty steps are ignored); whatever could be redone is dropped.
    void push(EditStep step);
    // A step of one record.
    void record(EditRecord record);

    // The step the next undo reverts / the next redo repeats; null when none.
    EditStep *undoTop();
    EditStep *redoTop();
    // Moves the boundary after a successful undo or redo.
    void markUndone();
    void markRedone();

    // All steps, oldest first; the first undoStepCount() are done.
    const std::vector<EditStep> &steps() const { return m_steps; }

private:
    std::vector<EditStep> m_steps;
    int m_undoSteps = 0;
};

} // namespace core
