#pragma once
// The caption of the main window's current tab, which decides whether a
// unit's target cell is picked on the battle map or on the story stage: a
// tab whose caption holds the letter s (either case) takes the battle map;
// "Scenario", the caption of every untitled document, holds one.
#include "workspace/edit_context.h"

#include <QString>

namespace commands {

// The selected tab's caption of the window that owns the dialogs; without
// such a window, the untitled document's "Scenario".
QString currentTabCaption(const workspace::EditContext &ctx);

bool takesBattleMap(const QString &tabCaption);

// Test hook: the caption the current tab reports for the scope.
class ScopedTabCaption
{
public:
    explicit ScopedTabCaption(const QString &caption);
    ~ScopedTabCaption();
    ScopedTabCaption(const ScopedTabCaption &) = delete;
    ScopedTabCaption &operator=(const ScopedTabCaption &) = delete;
};

} // namespace commands
