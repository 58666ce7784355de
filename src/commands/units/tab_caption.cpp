#include "commands/units/tab_caption.h"

#include "workspace/frm_storyloom.h"

#include <QTabWidget>

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
    return QStringLiteral("Scenario");
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
