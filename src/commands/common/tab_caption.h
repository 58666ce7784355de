#pragma once
// Whether the edited scenario is a battle scenario or a story scenario, which
// the tab's caption tells (see workspace::scenarioKindOfCaption). Map buttons
// use it to choose between the battle map and the story stage.
#include "workspace/edit_context.h"

#include <QString>

namespace core {
class DocTree;
}

namespace commands {

// The kind the window put into the context; without one, the kind the
// document's caption (its root text's file name) tells.
workspace::ScenarioKind scenarioKind(const workspace::EditContext &ctx);

// The file name the document's root text names (either kind of separator),
// or the root's text itself for an untitled document ("Scenario").
QString documentTabCaption(const core::DocTree &tree);

bool takesBattleMap(const QString &tabCaption);

// Test hook: the caption the current tab reports for the scope, ahead of
// what the context says.
class ScopedTabCaption
{
public:
    explicit ScopedTabCaption(const QString &caption);
    ~ScopedTabCaption();
    ScopedTabCaption(const ScopedTabCaption &) = delete;
    ScopedTabCaption &operator=(const ScopedTabCaption &) = delete;
};

} // namespace commands
