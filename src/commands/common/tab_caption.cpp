#include "commands/common/tab_caption.h"

#include "core/doc_tree.h"

#include <algorithm>
#include <optional>

namespace commands {

namespace {

std::optional<QString> &captionOverride()
{
    static std::optional<QString> caption;
    return caption;
}

} // namespace

workspace::ScenarioKind scenarioKind(const workspace::EditContext &ctx)
{
    if (captionOverride())
        return workspace::scenarioKindOfCaption(*captionOverride());
    if (ctx.scenarioKind)
        return *ctx.scenarioKind;
    return workspace::scenarioKindOfCaption(ctx.tree ? documentTabCaption(*ctx.tree) : QString());
}

QString documentTabCaption(const core::DocTree &tree)
{
    if (tree.root() == core::kNoNode)
        return {};
    const QString text = tree.text(tree.root());
    const qsizetype cut = std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
    return text.mid(cut + 1);
}

bool takesBattleMap(const QString &tabCaption)
{
    return workspace::scenarioKindOfCaption(tabCaption) == workspace::ScenarioKind::Battle;
}

ScopedTabCaption::ScopedTabCaption(const QString &caption)
{
    captionOverride() = caption;
}

ScopedTabCaption::~ScopedTabCaption()
{
    captionOverride().reset();
}

} // namespace commands
