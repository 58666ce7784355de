#pragma once
// The check every edit makes before it stands: the Sections it touched still
// read back, from the bytes a save would write, into the nodes the tree holds
// (eexCheckSection, the save's own check for one Section). An edit checks only
// its Sections, so the cost goes with the size of the edit, not of the file.
//
// An edit whose result would not save is taken back at once and refused with
// the command named; a Section that could not be saved before the edit (a
// damaged file that said so when it opened) does not hold the edit up.
#include "core/doc_tree.h"
#include "core/eex_writer.h"
#include "core/undo_commands.h"

#include <QString>

#include <functional>
#include <vector>

namespace core {

class SectionGuard
{
public:
    explicit SectionGuard(const DocTree &tree) : m_tree(tree) {}

    // Before the edit: the Section of `node`, a command, is checked now and
    // again after the edit. The root, Scenes and Sections touch nothing:
    // moving or deleting them changes no Section's bytes, and a Section
    // reads the same wherever it stands.
    void touch(NodeId node);
    // After the edit: Sections the edit brought in (a pasted Section, or
    // every Section of a pasted Scene); each must read back.
    void touchNew(NodeId node);

    // After the edit: ok, or the first touched Section that read back before
    // and does not now, with the command where its reading parts.
    EexWriteResult verdict() const;

private:
    struct Entry {
        NodeId section;
        bool readBefore;
    };
    void add(NodeId section, bool readBefore);

    const DocTree &m_tree;
    std::vector<Entry> m_entries;
};

// After the edit: when the guard refuses it, `takeBack` undoes the edit and
// the refusal is returned for the user; empty when the edit stands.
QString takeBackIfUnsaveable(const DocTree &tree, const SectionGuard &guard, const std::function<void()> &takeBack);

// For an edit that learns its Sections only while it makes them (replace):
// `sections` are checked after the edit. When one does not read back, the
// edit is taken back (`takeBack`) and those Sections checked as they were; if
// each of them failed then too, the edit is made again (`redo`) and stands.
// Returns the refusal for the user, or empty when the edit stands.
QString takeBackIfUnsaveableAfter(const DocTree &tree, const std::vector<NodeId> &sections,
                                  const std::function<void()> &takeBack, const std::function<void()> &redo);

// Takes back what the records of one edit did, last record first.
void undoRecords(const std::vector<RecordPtr> &records);

// The user's message for an edit refused by the guard, naming the place as
// `place` gives it ("Scene 1, Section 2, 7번째 명령(32 : …)").
QString editRefusalMessage(const QString &place, const EexWriteResult &verdict);
// The place of the verdict's command (or Section) in `tree`: the tree after
// the edit was taken back when the command is still there, so the author
// finds it where it stands.
QString verdictPlace(const DocTree &tree, const EexWriteResult &verdict);

} // namespace core
