#pragma once
// The edit side of the main window: the command state of the Edit menu and
// toolbar, the tree's clicks, keys, double-click and pop-up menu, and the
// handlers that connect the Edit, Option, Function, Settings and Info items
// to the headless engines (structure edits, clipboard, undo and redo, the
// edit dispatch, the add dialogs) and to the settings windows.
//
// Every handler works on the current tab's document and its selected node,
// shows the engine's message, marks the tab when the tree changed, selects
// the node the engine names, and recomputes the whole command state.
#include "core/clipboard_ops.h"
#include "core/edit_context.h"
#include "platform/prompts.h"
#include "workspace/command_state.h"
#include "workspace/edit_context.h"
#include "workspace/multi_select.h"

#include <QObject>
#include <QPoint>
#include <QSet>

#include <functional>
#include <memory>

class QKeyEvent;
class QMenu;

namespace workspace {

class Document;
class Documents;
class MultiSelectionWindow;
class MainWindow;
class ScenarioTreeView;

class EditCommands : public QObject
{
    Q_OBJECT
public:
    EditCommands(MainWindow &window, Documents &documents);
    ~EditCommands() override;

    // The edit commands of a window; nullptr when none were made for it.
    static EditCommands *of(const MainWindow &window);

    core::Clipboard &clipboard() { return m_clipboard; }
    MultiSelect &multiSelect() { return m_multi; }
    MultiSelectionWindow *multiSelectionWindow() const { return m_mirror.get(); }
    // What the window offers every dialog: its game data and name tables,
    // and itself as the owner.
    ProgramServices programServices();
    // The context for one call of a dialog, pointed at the current tab.
    EditContext dialogContext();

    // The state the current selection gives; all off without a document.
    CommandState state() const;
    // Applies state() to the menu items and toolbar buttons.
    void refreshCommandState();

    // --- Edit menu ---------------------------------------------------------
    void editSelected();
    void addCommand();
    void addChildEvent();
    void deleteCommands();
    void cutCommands();
    void copyCommands();
    void pasteCommands();
    void moveUp();
    void moveDown();
    void expandAll();
    void collapseAll();
    void undo();
    void redo();
    void previewDuel();
    void placeWholeArmy();
    void showVariableList();
    // --- other menus --------------------------------------------------------
    void editQuickAddSettings();
    void editDuelSpeed();
    void editSettings();
    void showAbout();
    void showMultiSelectionWindow();

    // --- tree events -------------------------------------------------------
    // A click on a node with the modifiers held.
    void handleNodeClick(core::NodeId node, Qt::KeyboardModifiers modifiers);
    // The right button: the Edit menu as a pop-up at the mouse.
    void showEditPopup(const QPoint &globalPos);
    // Keys before the tree's own handling; true when the key was used.
    bool handleTreeKey(QKeyEvent *event);
    // U, I, O, P: quick add of slot 0 to 3 in front of the selected node.
    void quickAdd(int slot);

    // Tests: shows the pop-up menu instead of exec().
    using PopupHook = std::function<void(QMenu *menu, const QPoint &globalPos)>;
    void setPopupHook(PopupHook hook) { m_popupHook = std::move(hook); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Document *document() const;
    core::NodeId selectedNode() const;
    QStringList multiKeys() const;
    void finish(Document *doc, const core::EditResult &result, const QString &title, platform::MsgIcon icon);
    void showError(const QString &text, const QString &title, platform::MsgIcon icon);
    void onDocumentChanged(Document *doc);
    void showSelectionStatus(Document *doc);
    void hookView(ScenarioTreeView *view);
    // Ends the multi-selection after it was deleted or cut.
    void endMultiSelection(Document *doc);
    void clearMultiSelection();
    void refreshMirror();
    // Runs an add in front of `selected` and notes the command it made as new.
    void applyAdd(Document *doc, core::NodeId selected,
                  const std::function<core::EditResult(core::EditContext &)> &edit, const QString &title);

    MainWindow &m_window;
    Documents &m_documents;
    core::Clipboard m_clipboard;
    MultiSelect m_multi;
    std::unique_ptr<MultiSelectionWindow> m_mirror;
    core::DocTree m_noTree;
    QSet<ScenarioTreeView *> m_hooked;
    PopupHook m_popupHook;
};

} // namespace workspace
