#include "core/section_check.h"

#include "core/edit_units.h"

#include <algorithm>

namespace core {

void SectionGuard::add(NodeId section, bool readBefore)
{
    if (section == kNoNode)
        return;
    const auto known = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry &e) { return e.section == section; });
    if (known != m_entries.end())
        return;
    m_entries.push_back({section, readBefore});
}

void SectionGuard::touch(NodeId node)
{
    if (!m_tree.isValid(node) || m_tree.depth(node) <= 2)
        return;
    const NodeId section = enclosingSection(m_tree, node);
    if (section == kNoNode)
        return;
    for (const Entry &e : m_entries)
        if (e.section == section)
            return;
    add(section, eexCheckSection(m_tree, section).ok);
}

void SectionGuard::touchNew(NodeId node)
{
    if (!m_tree.isValid(node))
        return;
    if (isSectionNode(m_tree, node)) {
        add(node, true);
    } else if (isSceneNode(m_tree, node)) {
        for (NodeId s = m_tree.firstChild(node); s != kNoNode; s = m_tree.next(s))
            add(s, true);
    }
}

EexWriteResult SectionGuard::verdict() const
{
    for (const Entry &e : m_entries) {
        // Gone with the edit (a Section deleted along with it): nothing to save.
        if (!e.readBefore || !m_tree.isValid(e.section))
            continue;
        EexWriteResult r = eexCheckSection(m_tree, e.section);
        if (!r.ok) {
            if (r.node == kNoNode)
                r.node = e.section;
            return r;
        }
    }
    EexWriteResult ok;
    ok.ok = true;
    return ok;
}

QString verdictPlace(const DocTree &tree, const EexWriteResult &verdict)
{
    if (tree.isValid(verdict.node)) {
        const QString place = eexCommandPlace(tree, verdict.node);
        if (!place.isEmpty())
            return place;
    }
    return QStringLiteral("Scene %1, Section %2").arg(verdict.scene + 1).arg(verdict.section + 1);
}

QString takeBackIfUnsaveable(const DocTree &tree, const SectionGuard &guard, const std::function<void()> &takeBack)
{
    const EexWriteResult verdict = guard.verdict();
    if (verdict.ok)
        return {};
    // Named where the author will find it once the edit is taken back; a
    // command that goes with it (pasted, added) where the edit put it.
    const QString placeInEdit = verdictPlace(tree, verdict);
    takeBack();
    return editRefusalMessage(tree.isValid(verdict.node) ? verdictPlace(tree, verdict) : placeInEdit, verdict);
}

QString takeBackIfUnsaveableAfter(const DocTree &tree, const std::vector<NodeId> &sections,
                                  const std::function<void()> &takeBack, const std::function<void()> &redo)
{
    struct Failed {
        NodeId section;
        EexWriteResult verdict;
        QString placeInEdit;
    };
    std::vector<Failed> failed;
    for (NodeId s : sections) {
        EexWriteResult r = eexCheckSection(tree, s);
        if (r.ok)
            continue;
        if (r.node == kNoNode)
            r.node = s;
        const QString place = verdictPlace(tree, r);
        failed.push_back({s, std::move(r), place});
    }
    if (failed.empty())
        return {};
    takeBack();
    for (const Failed &f : failed)
        if (eexCheckSection(tree, f.section).ok)
            return editRefusalMessage(tree.isValid(f.verdict.node) ? verdictPlace(tree, f.verdict) : f.placeInEdit,
                                      f.verdict);
    redo();
    return {};
}

void undoRecords(const std::vector<RecordPtr> &records)
{
    for (auto r = records.rbegin(); r != records.rend(); ++r)
        (*r)->undoRecord();
}

QString editRefusalMessage(const QString &place, const EexWriteResult &verdict)
{
    return place +
           QStringLiteral(": 이대로 편집하면 문서를 저장할 수 없게 되므로 편집하지 않았습니다. (%1)").arg(verdict.reason);
}

} // namespace core
