#pragma once
// The caption of the main window's current tab, which tells a battle
// scenario from a story scenario: a caption holding the letter s (either
// case) is a battle scenario's; "Scenario", the caption of every untitled
// document, holds one. Map buttons use it to choose between the battle map
// and the story stage.
#include "workspace/edit_context.h"

#include <QString>

namespace core {
class DocTree;
}

namespace commands {

// The selected tab's caption of the window that owns the dialogs; without
// such a window, the file name of the document's root text.
QString currentTabCaption(const workspace::EditContext &ctx);

// The file name the document's root text names (either kind of separator),
// or the root's text itself for an untitled document ("Scenario").
QString documentTabCaption(const core::DocTree &tree);

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
