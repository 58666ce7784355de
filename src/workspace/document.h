#pragma once
// One open scenario: its tree, the file it came from, the modified mark, its
// undo history and the tree view that shows it. The view is the page of the
// document's tab and owns the document, so closing the tab ends both.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/edit_history.h"
#include "core/key_serial.h"
#include "workspace/new_commands.h"

#include <QObject>
#include <QString>

#include <memory>

namespace workspace {

class DocTreeModel;
class ScenarioTreeView;

// The root text and tab caption of a scenario without a file.
inline const QString kUntitledText = QStringLiteral("Scenario");
// The path an untitled document reports.
inline const QString kUntitledPath = QStringLiteral("NewFile");
// What the tab caption carries while there are unsaved changes.
inline const QString kModifiedMark = QStringLiteral(" *");

class Document : public QObject
{
    Q_OBJECT
public:
    // An empty tree; `treeIndex` is the number the editor knows this tree by
    // for its whole life.
    explicit Document(int treeIndex);
    ~Document() override;

    core::DocTree &tree() { return *m_tree; }
    const core::DocTree &tree() const { return *m_tree; }
    DocTreeModel *model() const { return m_model.get(); }
    // The tab page; it owns this document.
    ScenarioTreeView *view() const { return m_view; }
    core::EditHistory &history() { return m_history; }
    const core::EditHistory &history() const { return m_history; }
    // The commands added in this session that no OK has confirmed yet.
    NewCommands &newCommands() { return m_newCommands; }
    int treeIndex() const { return m_treeIndex; }

    // Full path of the file, or "NewFile".
    const QString &path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    // An untitled document's root reads "Scenario"; saving asks for a name then.
    bool isUntitled() const;

    // The caption as the tab shows it (without the "&" escaping of the strip).
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }
    bool modified() const { return m_modified; }
    void setModifiedFlag(bool modified) { m_modified = modified; }
    // A change of the tree: the caption gets " *" (once). A change that did
    // not go through the undo stack keeps the mark until the next save.
    void markModified();
    // The caption back to the file name, without the mark; the flag cleared;
    // the undo stack's present state is the saved one.
    void markSaved();

signals:
    // The mark came or went because the undo stack left or reached the
    // saved state.
    void modifiedChanged();

public:
    // The caption for a path: its file name, or "Scenario" for "NewFile".
    static QString captionFor(const QString &path);

private:
    void onCleanChanged(bool clean);
    void setMark();

    std::unique_ptr<core::DocTree> m_tree;
    std::unique_ptr<DocTreeModel> m_model;
    ScenarioTreeView *m_view = nullptr;
    core::EditHistory m_history;
    NewCommands m_newCommands;
    int m_treeIndex = 0;
    QString m_path = kUntitledPath;
    QString m_caption = kUntitledText;
    bool m_modified = false;
};

// The nodes of a new scenario's first Scene and of a new Section, with keys
// from the one serial counter. When a key they would take is already in the
// tree (keys the reader made from Scene and Section numbers), they move on to
// the next serial until it is free. kNoNode when the tree refused a node.
//
// A Scene in front of `target` (under the same parent), or as the last child
// of `target` with the key "Scene_0_"; then its first Section.
core::NodeId addScene(core::DocTree &tree, core::KeySerial &serial, const core::CaptionContext &captions,
                      bool inFront, core::NodeId target, const QString &word);
// A Section in front of `target`, or as its last child, holding its title
// comment (text `word`), the head-end node and the empty body list's end node.
core::NodeId addSection(core::DocTree &tree, core::KeySerial &serial, const core::CaptionContext &captions,
                        bool inFront, core::NodeId target, const QString &word);

// A fresh untitled tree: the root "Path"/"Scenario" with one Scene and Section.
bool buildUntitledTree(core::DocTree &tree, core::KeySerial &serial, const core::CaptionContext &captions);

} // namespace workspace
