#include "workspace/edit_commands.h"

#include "core/catalogue.h"
#include "core/edit_units.h"
#include "core/structure_edits.h"
#include "core/undo_redo.h"
#include "workspace/add_dialogs/add_dialogs.h"
#include "workspace/dialog_registry.h"
#include "workspace/doc_tree_model.h"
#include "workspace/document.h"
#include "workspace/documents.h"
#include "workspace/edit_dispatch.h"
#include "workspace/about_dialog.h"
#include "workspace/multi_selection_window.h"
#include "workspace/settings_dialog.h"
#include "workspace/main_window.h"
#include "workspace/long_task.h"
#include "workspace/menus.h"
#include "workspace/scenario_tree_view.h"
#include "workspace/startup.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTabWidget>

namespace workspace {

using core::NodeId;
using platform::MsgIcon;

namespace {

// Refusals of the structure edits and the clipboard.
const QString kEditErrorTitle = QStringLiteral("Error！");
// Refusals of quick add and of undo and redo.
const QString kQuickErrorTitle = QStringLiteral("Error!");

core::EditContext coreContext(Document &doc, Documents &docs)
{
    return core::EditContext{doc.tree(), docs.keySerial(), doc.history(), docs.captions()};
}

// The block of a child event and its nested list without background colour.
void plainBackground(core::DocTree &tree, NodeId block)
{
    tree.setBackColor(block, QColor());
    for (int i = 0; i < tree.childCount(block); ++i)
        tree.setBackColor(tree.child(block, i), QColor());
}

} // namespace

EditCommands::EditCommands(MainWindow &window, Documents &documents)
    : QObject(&window), m_window(window), m_documents(documents)
{
    setObjectName(QStringLiteral("EditCommands"));
    m_mirror = std::make_unique<MultiSelectionWindow>();

    const Actions &a = window.actions();
    auto on = [&](QAction *item, void (EditCommands::*handler)()) {
        connect(item, &QAction::triggered, this, [this, handler] {
            (this->*handler)();
        });
    };
    on(a.editNode, &EditCommands::editSelected);
    on(a.addNode, &EditCommands::addCommand);
    on(a.addChildNode, &EditCommands::addChildEvent);
    on(a.deleteNodes, &EditCommands::deleteCommands);
    on(a.cut, &EditCommands::cutCommands);
    on(a.copy, &EditCommands::copyCommands);
    on(a.paste, &EditCommands::pasteCommands);
    on(a.moveUp, &EditCommands::moveUp);
    on(a.moveDown, &EditCommands::moveDown);
    on(a.expand, &EditCommands::expandAll);
    on(a.collapse, &EditCommands::collapseAll);
    on(a.undo, &EditCommands::undo);
    on(a.redo, &EditCommands::redo);
    on(a.duelPreview, &EditCommands::previewDuel);
    on(a.placeWholeArmy, &EditCommands::placeWholeArmy);
    on(a.variableList, &EditCommands::showVariableList);
    on(a.quickAddSettings, &EditCommands::editQuickAddSettings);
    on(a.duelPreviewSpeed, &EditCommands::editDuelSpeed);
    on(a.settings, &EditCommands::editSettings);
    on(a.about, &EditCommands::showAbout);
    on(a.showMultiSelectView, &EditCommands::showMultiSelectionWindow);

    connect(&documents, &Documents::currentDocumentChanged, this, &EditCommands::onDocumentChanged);
}

EditCommands::~EditCommands() = default;

EditCommands *EditCommands::of(const MainWindow &window)
{
    return window.findChild<EditCommands *>(QStringLiteral("EditCommands"), Qt::FindDirectChildrenOnly);
}

Document *EditCommands::document() const { return m_documents.current(); }

NodeId EditCommands::selectedNode() const
{
    const Document *d = document();
    return d ? d->tree().selected() : core::kNoNode;
}

QStringList EditCommands::multiKeys() const { return m_multi.keys(); }

ProgramServices EditCommands::programServices()
{
    ProgramServices services;
    services.gameData = &m_window.gameData();
    services.captions = m_window.captionContext();
    services.parent = &m_window;
    return services;
}

EditContext EditCommands::dialogContext()
{
    Document *d = document();
    EditContext ctx(EditTarget(d ? d->tree() : m_noTree), programServices());
    ctx.keySerial = &m_documents.keySerial();
    if (!d)
        return ctx;
    // The tab's caption tells a battle scenario from a story one.
    if (const QTabWidget *strip = m_window.tabStrip(); strip->currentIndex() >= 0)
        ctx.scenarioKind = scenarioKindOfCaption(strip->tabText(strip->currentIndex()));
    // Bound to this document, whatever tab is current when they run.
    QPointer<Document> doc(d);
    Documents *docs = &m_documents;
    ctx.markModified = [doc, docs] {
        if (doc)
            docs->markModified(doc);
    };
    ctx.history = &d->history();
    ctx.newCommands = &d->newCommands();
    ctx.selectNode = [doc](NodeId node) {
        if (doc)
            doc->view()->selectNode(node);
    };
    return ctx;
}

// --- command state -----------------------------------------------------------

CommandState EditCommands::state() const
{
    const Document *d = document();
    if (!d)
        return {};
    CommandStateInput in;
    in.tree = &d->tree();
    in.selected = d->tree().selected();
    in.clipboard = &m_clipboard;
    in.history = &d->history();
    in.multiKeys = m_multi.keys();
    return commandStateFor(in);
}

void EditCommands::refreshCommandState()
{
    // Without a document the window keeps the Edit items disabled itself.
    if (!document() || !m_window.inDocumentState())
        return;
    const CommandState s = state();
    for (const CommandItem &item : commandItems()) {
        (m_window.actions().*item.action)->setEnabled(s.*item.field);
    }
}

// --- documents and views -------------------------------------------------------

void EditCommands::onDocumentChanged(Document *doc)
{
    // A selection never outlives its tab's tree.
    clearMultiSelection();
    if (!doc)
        return;
    hookView(doc->view());
    showSelectionStatus(doc);
    refreshCommandState();
}

void EditCommands::showSelectionStatus(Document *doc)
{
    // The status line speaks of the tab shown: its selected node's key, or
    // the help text while nothing but the root is chosen there.
    const core::DocTree &tree = doc->tree();
    const NodeId sel = tree.selected();
    const bool chosen = tree.isValid(sel) && !core::isRootNode(tree, sel);
    m_window.setStatusText(chosen ? tree.key(sel) : defaultStatusText());
}

void EditCommands::hookView(ScenarioTreeView *view)
{
    if (!view || m_hooked.contains(view))
        return;
    m_hooked.insert(view);
    connect(view, &QObject::destroyed, this, [this, view] { m_hooked.remove(view); });
    view->installEventFilter(this);
    connect(view, &ScenarioTreeView::nodeClicked, this, [this, view](NodeId node, Qt::KeyboardModifiers mods) {
        if (view == m_documents.currentView())
            handleNodeClick(node, mods);
    });
    connect(view, &ScenarioTreeView::popupRequested, this, [this, view](const QPoint &pos) {
        if (view == m_documents.currentView())
            showEditPopup(pos);
    });
    connect(view, &QAbstractItemView::doubleClicked, this, [this, view](const QModelIndex &) {
        if (view == m_documents.currentView())
            editSelected();
    });
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this, view] {
        if (view == m_documents.currentView())
            refreshCommandState();
    });
}

bool EditCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == m_documents.currentView())
        return handleTreeKey(static_cast<QKeyEvent *>(event));
    return QObject::eventFilter(watched, event);
}

// --- results -----------------------------------------------------------------

void EditCommands::showError(const QString &text, const QString &title, MsgIcon icon)
{
    platform::Prompts::instance().message(&m_window, text, title, platform::MsgButtons::Ok, icon);
}

void EditCommands::finish(Document *doc, const core::EditResult &result, const QString &title, MsgIcon icon)
{
    if (!result.message.isEmpty())
        showError(result.message, title, icon);
    if (doc && result.changed)
        m_documents.markModified(doc);
    if (doc && result.select != core::kNoNode && doc->tree().isValid(result.select))
        doc->view()->selectNode(result.select);
    refreshMirror();
    refreshCommandState();
}

// --- Edit menu -----------------------------------------------------------------

void EditCommands::editSelected()
{
    if (!document())
        return;
    EditContext ctx = dialogContext();
    openNodeEditor(ctx);
    refreshCommandState();
}

void EditCommands::applyAdd(Document *doc, NodeId selected,
                            const std::function<core::EditResult(core::EditContext &)> &edit, const QString &title)
{
    core::EditContext ctx = coreContext(*doc, m_documents);
    const core::EditResult r = edit(ctx);
    // The command (or child event's block) stands right in front of the
    // selected node; it is new until its dialog's first OK.
    if (r.ok && r.changed)
        doc->newCommands().add(doc->tree(), doc->tree().previous(selected));
    finish(doc, r, title, title == kQuickErrorTitle ? MsgIcon::Exclamation : MsgIcon::Critical);
}

void EditCommands::addCommand()
{
    Document *doc = document();
    const NodeId sel = selectedNode();
    if (!doc || !state().add)
        return;
    core::DocTree &tree = doc->tree();
    if (core::isSceneNode(tree, sel) || core::isSectionNode(tree, sel)) {
        const bool scene = core::isSceneNode(tree, sel);
        const NodeId made = scene ? m_documents.addScene(true, sel, QString()) : m_documents.addSection(true, sel, QString());
        core::EditResult r;
        r.ok = r.changed = made != core::kNoNode;
        finish(doc, r, kEditErrorTitle, MsgIcon::Critical);
        return;
    }
    auto &dialogs = add_dialogs::AddDialogs::instance();
    const bool headList = core::isHeadListNode(tree, sel);
    const std::optional<int> code = headList ? dialogs.chooseHeadCommand(&m_window)
                                             : dialogs.chooseBodyCommand(&m_window);
    // The dialog is modal, but a hand-over cannot run under it; the tab and
    // its selection are the ones it was opened on.
    if (!code || document() != doc || !tree.isValid(sel)) {
        // Closing the head list's dialog marks the tab, added or not.
        if (headList && document() == doc)
            m_documents.markModified(doc);
        refreshCommandState();
        return;
    }
    applyAdd(doc, sel, [&](core::EditContext &ctx) { return core::addCommand(ctx, sel, *code); }, kEditErrorTitle);
}

void EditCommands::addChildEvent()
{
    Document *doc = document();
    const NodeId sel = selectedNode();
    if (!doc || !state().addChild)
        return;
    // The item stays enabled in a Section's head list, which takes no child
    // events: the dialog does not even open there.
    if (!core::canAddChild(doc->tree(), sel))
        return;
    const std::optional<int> code = add_dialogs::AddDialogs::instance().chooseChildEvent(&m_window);
    if (!code || document() != doc || !doc->tree().isValid(sel)) {
        refreshCommandState();
        return;
    }
    applyAdd(doc, sel, [&](core::EditContext &ctx) { return core::addChildEvent(ctx, sel, *code); }, kEditErrorTitle);
}

void EditCommands::quickAdd(int slot)
{
    Document *doc = document();
    if (!doc || slot < 0 || slot >= add_dialogs::kFastAddSlots)
        return;
    core::DocTree &tree = doc->tree();
    const NodeId sel = tree.selected();
    if (!tree.isValid(sel) || core::isStructuralNode(tree, sel))
        return;
    const add_dialogs::FastAddSlot entry = add_dialogs::readFastAdd().entries[std::size_t(slot)];
    const CommandState s = state();
    const bool headList = core::isHeadListNode(tree, sel);
    if (!entry.child) {
        // A Section's head list takes block commands only, and never 0x12.
        if (!s.add || (headList && (!core::isBlockMenu(entry.code) || entry.code == 0x12))) {
            showError(core::kCannotAddMessage, kQuickErrorTitle, MsgIcon::Exclamation);
            return;
        }
        applyAdd(doc, sel, [&](core::EditContext &ctx) { return core::addCommand(ctx, sel, entry.code); },
                 kQuickErrorTitle);
        return;
    }
    if (headList || !s.addChild) {
        showError(core::kCannotAddMessage, kQuickErrorTitle, MsgIcon::Exclamation);
        return;
    }
    if (!core::isBlockMenu(entry.code)) {
        showError(core::kNotChildEventMessage, kQuickErrorTitle, MsgIcon::Exclamation);
        return;
    }
    applyAdd(
        doc, sel,
        [&](core::EditContext &ctx) {
            const core::EditResult r = core::addChildEvent(ctx, sel, entry.code);
            // Unlike the child-event dialog, the key adds its nodes on the
            // tree's own white.
            if (r.ok)
                plainBackground(ctx.tree, ctx.tree.previous(sel));
            return r;
        },
        kQuickErrorTitle);
}

void EditCommands::deleteCommands()
{
    Document *doc = document();
    if (!doc)
        return;
    const bool multi = !m_multi.isEmpty();
    core::EditContext ctx = coreContext(*doc, m_documents);
    const core::EditResult r = core::deleteNodes(ctx, selectedNode(), multiKeys());
    finish(doc, r, kEditErrorTitle, MsgIcon::Critical);
    if (multi)
        endMultiSelection(doc);
    else
        m_multi.setAnchorKey(doc->tree().key(doc->tree().selected()));
}

void EditCommands::cutCommands()
{
    Document *doc = document();
    if (!doc)
        return;
    const bool multi = !m_multi.isEmpty();
    core::EditContext ctx = coreContext(*doc, m_documents);
    const core::EditResult r = core::cutNodes(ctx, selectedNode(), multiKeys(), m_clipboard);
    finish(doc, r, kEditErrorTitle, MsgIcon::Critical);
    if (multi)
        endMultiSelection(doc);
}

void EditCommands::copyCommands()
{
    Document *doc = document();
    if (!doc)
        return;
    const core::EditResult r = core::copyNodes(doc->tree(), selectedNode(), multiKeys(), m_clipboard);
    finish(doc, r, kEditErrorTitle, MsgIcon::Critical);
}

void EditCommands::pasteCommands()
{
    Document *doc = document();
    if (!doc)
        return;
    core::EditContext ctx = coreContext(*doc, m_documents);
    const core::EditResult r = core::pasteNodes(ctx, m_clipboard, selectedNode());
    finish(doc, r, kEditErrorTitle, MsgIcon::Critical);
}

void EditCommands::moveUp()
{
    Document *doc = document();
    if (!doc)
        return;
    core::EditContext ctx = coreContext(*doc, m_documents);
    finish(doc, core::moveUp(ctx, selectedNode(), multiKeys()), kEditErrorTitle, MsgIcon::Critical);
}

void EditCommands::moveDown()
{
    Document *doc = document();
    if (!doc)
        return;
    core::EditContext ctx = coreContext(*doc, m_documents);
    finish(doc, core::moveDown(ctx, selectedNode(), multiKeys()), kEditErrorTitle, MsgIcon::Critical);
}

void EditCommands::expandAll()
{
    Document *doc = document();
    if (!doc)
        return;
    LongTask task(&m_window, kSpreadingLabel, LongTask::Cancel::Allowed);
    doc->view()->spreadFold(selectedNode(), true, task.progress());
}

void EditCommands::collapseAll()
{
    Document *doc = document();
    if (!doc)
        return;
    LongTask task(&m_window, kFoldingLabel, LongTask::Cancel::Allowed);
    doc->view()->spreadFold(selectedNode(), false, task.progress());
}

void EditCommands::undo()
{
    Document *doc = document();
    if (!doc)
        return;
    core::EditContext ctx = coreContext(*doc, m_documents);
    // Undo touches only what the step changed, but the undo of a replace all
    // with many hits in a large file takes a while: past the threshold it
    // shows its progress. A step is never stopped half-way.
    core::EditResult result;
    {
        LongTask task(&m_window, kUndoingLabel, LongTask::Cancel::No);
        result = core::undo(ctx, task.progress());
    }
    finish(doc, result, kQuickErrorTitle, MsgIcon::Exclamation);
}

void EditCommands::redo()
{
    Document *doc = document();
    if (!doc)
        return;
    core::EditContext ctx = coreContext(*doc, m_documents);
    core::EditResult result;
    {
        LongTask task(&m_window, kRedoingLabel, LongTask::Cancel::No);
        result = core::redo(ctx, task.progress());
    }
    finish(doc, result, kQuickErrorTitle, MsgIcon::Exclamation);
}

void EditCommands::previewDuel()
{
    if (!document())
        return;
    EditContext ctx = dialogContext();
    runDuelPreview(ctx);
}

void EditCommands::placeWholeArmy()
{
    if (!document())
        return;
    EditContext ctx = dialogContext();
    runWholeArmyPlacement(ctx);
    refreshCommandState();
}

void EditCommands::showVariableList()
{
    if (!document())
        return;
    EditContext ctx = dialogContext();
    showVariableListDialog(ctx);
}

// --- other menus ---------------------------------------------------------------

void EditCommands::editQuickAddSettings() { add_dialogs::AddDialogs::instance().editFastAdd(&m_window); }

void EditCommands::editDuelSpeed()
{
    EditContext ctx = dialogContext();
    editDuelPreviewSpeed(ctx);
}

void EditCommands::editSettings()
{
    SettingsDialog::open(&m_window, &m_window.gameData());
    // The counts the captions read may have changed.
    m_window.captionSettings() = loadCaptionSettings();
}

void EditCommands::showAbout() { AboutDialog::open(&m_window); }

void EditCommands::showMultiSelectionWindow()
{
    m_mirror->show();
    m_mirror->raise();
}

// --- tree events -----------------------------------------------------------------

void EditCommands::handleNodeClick(NodeId node, Qt::KeyboardModifiers modifiers)
{
    Document *doc = document();
    if (!doc || !doc->tree().isValid(node))
        return;
    const core::OptionMarks marks = m_window.optionMarks();
    const QString status = m_multi.click(doc->tree(), node, modifiers.testFlag(Qt::ShiftModifier),
                                         modifiers.testFlag(Qt::ControlModifier), marks.ctrlClick, marks.shiftClick);
    if (!status.isNull())
        m_window.setStatusText(status);
    refreshMirror();
    refreshCommandState();
}

void EditCommands::showEditPopup(const QPoint &globalPos)
{
    Document *doc = document();
    if (!doc)
        return;
    QAction *vs = m_window.actions().duelPreview;
    QAction *whole = m_window.actions().placeWholeArmy;
    const NodeId sel = selectedNode();
    refreshCommandState();
    vs->setVisible(showDuelPreviewItem(doc->tree(), sel));
    whole->setVisible(showWholeArmyItem(doc->tree(), sel));
    QMenu *menu = m_window.actions().editMenu->menu();
    if (m_popupHook)
        m_popupHook(menu, globalPos);
    else
        menu->exec(globalPos);
    vs->setVisible(false);
    whole->setVisible(false);
}

bool EditCommands::handleTreeKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (mods == Qt::ControlModifier && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        const CommandState s = state();
        if (key == Qt::Key_Up && s.moveUp)
            moveUp();
        else if (key == Qt::Key_Down && s.moveDown)
            moveDown();
        return true;
    }
    // Ctrl and Alt combinations belong to the menus' shortcuts.
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (key == Qt::Key_Space) {
        editSelected();
        return true;
    }
    static constexpr int kQuickKeys[] = {Qt::Key_U, Qt::Key_I, Qt::Key_O, Qt::Key_P};
    for (int slot = 0; slot < 4; ++slot) {
        if (key == kQuickKeys[slot]) {
            quickAdd(slot);
            return true;
        }
    }
    return false;
}

// --- multi-selection -------------------------------------------------------------

void EditCommands::clearMultiSelection()
{
    m_multi.clear();
    m_mirror->clearNodes();
}

void EditCommands::endMultiSelection(Document *doc)
{
    m_multi.setAnchorKey(doc->tree().key(doc->tree().selected()));
    m_window.setStatusText(multiSelectHelpText());
    clearMultiSelection();
    refreshCommandState();
}

void EditCommands::refreshMirror()
{
    Document *doc = document();
    std::vector<core::NodeSnapshot> nodes;
    if (doc) {
        for (const QString &key : m_multi.keys()) {
            const NodeId n = doc->tree().find(key);
            if (n != core::kNoNode)
                nodes.push_back(core::takeSnapshot(doc->tree(), n, true));
        }
    }
    m_mirror->setNodes(nodes);
}

} // namespace workspace
