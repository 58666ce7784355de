#include "workspace/document.h"

#include "core/catalogue.h"
#include "core/eex_layout.h"
#include "core/node_creation.h"
#include "workspace/doc_tree_model.h"
#include "workspace/scenario_tree_view.h"

namespace workspace {

using core::DocTree;
using core::KeySerial;
using core::NodeId;
using core::Relation;

Document::Document(int treeIndex)
    : m_tree(std::make_unique<DocTree>()), m_treeIndex(treeIndex)
{
    m_model = std::make_unique<DocTreeModel>(m_tree.get());
    m_view = new ScenarioTreeView(this);
    // The view deletes its children last, after it let go of the model.
    setParent(m_view);
    connect(&m_history.stack(), &QUndoStack::cleanChanged, this, &Document::onCleanChanged);
}

Document::~Document()
{
    // The stack says it is clean again while it is torn down.
    disconnect(&m_history.stack(), nullptr, this, nullptr);
    // The model observes the tree: it goes first.
    m_model.reset();
}

bool Document::isUntitled() const
{
    const NodeId root = m_tree->root();
    return root == core::kNoNode || m_tree->text(root) == kUntitledText;
}

void Document::markModified()
{
    setMark();
}

void Document::setMark()
{
    if (m_modified)
        return;
    m_modified = true;
    // The quit question may have cleared the flag of a tab that still shows
    // its mark; the mark is never doubled.
    if (!m_caption.endsWith(kModifiedMark))
        m_caption = m_caption.trimmed() + kModifiedMark;
}

void Document::markSaved()
{
    m_caption = captionFor(m_path);
    m_modified = false;
    m_history.stack().setClean();
}

void Document::onCleanChanged(bool clean)
{
    // Leaving the saved place marks the tab. Coming back to it by undo or
    // redo does not take the mark away: an undone step still counts as a
    // change, and only a save clears the mark.
    if (!clean)
        setMark();
    emit modifiedChanged();
}

QString Document::captionFor(const QString &path)
{
    if (path.isEmpty() || path == kUntitledPath)
        return kUntitledText;
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

namespace {

QString numbered(const char *prefix, KeySerial serial, const char *suffix)
{
    return QLatin1String(prefix) + QString::number(serial) + QLatin1String(suffix);
}

// The first serial from `serial` on for which every key made by `keys` is free.
template <typename Keys> void skipTakenKeys(const DocTree &tree, KeySerial &serial, Keys keys)
{
    for (;;) {
        bool free = true;
        for (const QString &k : keys(serial))
            free = free && !tree.contains(k);
        if (free)
            return;
        ++serial;
    }
}

} // namespace

NodeId addScene(DocTree &tree, KeySerial &serial, const core::CaptionContext &captions, bool inFront, NodeId target,
                const QString &word)
{
    NodeId scene = core::kNoNode;
    if (inFront) {
        skipTakenKeys(tree, serial, [](KeySerial s) { return QStringList{numbered("Scene_", s, "_")}; });
        // The Scene borrows the serial; its Section takes it.
        scene = tree.add(target, Relation::Before, numbered("Scene_", serial, "_"), core::kSceneText);
    } else {
        scene = tree.add(target, Relation::LastChild, QStringLiteral("Scene_0_"), core::kSceneText);
    }
    if (scene == core::kNoNode)
        return core::kNoNode;
    tree.setExpanded(scene, true);
    if (addSection(tree, serial, captions, false, scene, word) == core::kNoNode)
        return core::kNoNode;
    return scene;
}

NodeId addSection(DocTree &tree, KeySerial &serial, const core::CaptionContext &captions, bool inFront, NodeId target,
                  const QString &word)
{
    skipTakenKeys(tree, serial, [](KeySerial s) { return QStringList{numbered("Section_", s, "_")}; });
    const NodeId section = tree.add(target, inFront ? Relation::Before : Relation::LastChild,
                                    numbered("Section_", serial, "_"), core::kSectionText);
    if (section == core::kNoNode)
        return core::kNoNode;
    ++serial;
    tree.setExpanded(section, true);

    core::MenuNodeRequest title;
    title.code = core::kCommentCode;
    title.selected = section;
    title.word = word;
    title.sectionTitle = true;
    title.where = Relation::LastChild;
    title.backColor = QColor(Qt::white);
    skipTakenKeys(tree, serial, [&title](KeySerial s) { return QStringList{core::defaultNodeKey(title, s)}; });
    if (!core::menuNodeAdd(tree, serial, title, captions))
        return core::kNoNode;

    skipTakenKeys(tree, serial, [](KeySerial s) {
        return QStringList{numbered("0000_", s, "_00"), numbered("0000_00", s, "")};
    });
    const QString endName = core::menuName(core::kEndCode);
    const NodeId headEnd = tree.add(section, Relation::LastChild, numbered("0000_", serial, "_00"), endName);
    if (headEnd == core::kNoNode)
        return core::kNoNode;
    if (tree.add(headEnd, Relation::LastChild, numbered("0000_00", serial, ""), endName) == core::kNoNode)
        return core::kNoNode;
    ++serial;
    return section;
}

bool buildUntitledTree(DocTree &tree, KeySerial &serial, const core::CaptionContext &captions)
{
    tree.clear();
    const NodeId root = tree.addRoot(core::kRootKey, kUntitledText);
    if (root == core::kNoNode)
        return false;
    tree.setExpanded(root, true);
    return addScene(tree, serial, captions, false, root, QString()) != core::kNoNode;
}

} // namespace workspace
