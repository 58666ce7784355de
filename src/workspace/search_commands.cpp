#include "workspace/search_commands.h"

#include "workspace/document.h"
#include "workspace/documents.h"
#include "workspace/edit_commands.h"
#include "workspace/find_target.h"
#include "workspace/find_dialog.h"
#include "workspace/replace_dialog.h"
#include "workspace/main_window.h"
#include "workspace/scenario_tree_view.h"

#include <QAction>

namespace workspace {

namespace {

FindTargetProvider currentDocumentTarget(MainWindow &window, Documents &documents)
{
    return [&window, &documents]() -> std::optional<FindTarget> {
        Document *doc = documents.current();
        if (!doc)
            return std::nullopt;
        FindTarget target;
        target.tree = &doc->tree();
        target.history = &doc->history();
        target.keySerial = &documents.keySerial();
        target.captions = documents.captions();
        target.markModified = [&documents] { documents.markTabModified(); };
        ScenarioTreeView *view = doc->view();
        target.selectNode = [view](core::NodeId node) {
            if (view)
                view->selectNode(node);
        };
        target.historyChanged = [&window] {
            if (EditCommands *edits = EditCommands::of(window))
                edits->refreshCommandState();
        };
        return target;
    };
}

} // namespace

void connectSearchCommands(MainWindow &window, Documents &documents)
{
    const FindTargetProvider provider = currentDocumentTarget(window, documents);
    QObject::connect(window.actions().find, &QAction::triggered, &documents,
                     [&window, provider] { FindDialog::open(&window, provider); });
    QObject::connect(window.actions().replace, &QAction::triggered, &documents,
                     [&window, provider] { ReplaceDialog::open(&window, provider); });
}

} // namespace workspace
