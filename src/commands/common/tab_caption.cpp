#include "commands/common/tab_caption.h"

#include "core/doc_tree.h"
#include "workspace/frm_storyloom.h"

#include <QTabWidget>

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

QString currentTabCaption(const workspace::EditContext &ctx)
{
    if (captionOverride())
        return *captionOverride();
    if (auto *window = qobject_cast<workspace::FrmStoryloom *>(ctx.parent)) {
        if (QTabWidget *strip = window->tabStrip(); strip && strip->currentIndex() >= 0)
            return strip->tabText(strip->currentIndex());
    }
    return ctx.tree ? documentTabCaption(*ctx.tree) : QString();
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
    return tabCaption.toLower().contains(u's');
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
