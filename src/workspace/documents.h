#pragma once
// The documents of the main window: one tab per open scenario, and the file
// commands (new, open, save, save as, reload, recent files, close, close all)
// with their questions. The controller also owns the key serial counter that
// every node builder of every tab draws from.
//
// Other code reaches it through Documents::of(window), the current document
// through current(), its tree through current()->tree() and its view through
// currentView(). After changing a tree, call markTabModified().
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "core/key_serial.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QStringList>

#include <functional>

class QMenu;
class QTabWidget;

namespace workspace {

class Document;
class MainWindow;
class ScenarioTreeView;

class Documents : public QObject
{
    Q_OBJECT
public:
    // Plugs into the window: its hooks, the File menu items, the tab strip.
    explicit Documents(MainWindow &window);
    ~Documents() override;

    // The controller of a window; nullptr when none was made for it.
    static Documents *of(const MainWindow &window);

    MainWindow &window() const { return m_window; }
    int tabCount() const;
    // Position of the selected tab counted from 0; -1 without tabs.
    int currentTab() const;
    // The number of the selected tab's tree, kept for the tree's whole life;
    // 0 without tabs.
    int currentTreeIndex() const;
    Document *current() const;
    ScenarioTreeView *currentView() const;
    Document *documentAt(int tab) const;
    // The tab showing the file that `path` names, under whatever spelling
    // (a link, "sub/../a.eex"); -1 when none.
    int tabOfPath(const QString &path) const;

    // The one serial counter of the window: starts at 0, only grows.
    core::KeySerial &keySerial() { return m_keySerial; }
    core::CaptionContext captions() const;

    // --- commands --------------------------------------------------------
    void newFile();
    // The Scene and Section builders on the current document (the caller
    // marks the tab modified).
    core::NodeId addScene(bool inFront, core::NodeId target, const QString &word);
    core::NodeId addSection(bool inFront, core::NodeId target, const QString &word);

    // The open dialog (starting in the current document's folder), then
    // openFiles with the chosen files.
    void chooseAndOpenFiles();
    // Opens ".eex" files (any letter case; other names are skipped). A file
    // already open, under any spelling, only selects its tab. Stops at the
    // first file that cannot be read, with a message; false then.
    bool openFiles(const QStringList &paths);
    void openRecent(int entry);

    // Saves the selected tab (or the given one); false when the save failed
    // or was cancelled, the modified mark then kept.
    bool save();
    bool saveTab(int tab);
    bool saveAs();
    void reload();
    // The close command: the save question for a modified tab, then closeTab.
    // False when the tab stayed open (Cancel, or the save did not complete).
    bool closeCurrent();
    // Closes every tab from the first; false when one stayed open.
    bool closeAll();
    // Closes the selected tab without asking.
    void closeTab();

    // The first change after a save marks the current tab's caption (once).
    void markTabModified();
    void markModified(Document *document);

    // Tests: the write step of every save, and the File pop-up of the tabs.
    void setWriteHook(core::EexWriteHook hook) { m_writeHook = std::move(hook); }
    using PopupHook = std::function<void(QMenu *menu, const QPoint &globalPos)>;
    void setPopupHook(PopupHook hook) { m_popupHook = std::move(hook); }

signals:
    // The selected tab changed, a tab opened or closed (nullptr: none left),
    // or the current tree was replaced (reload): the edit commands refresh.
    void currentDocumentChanged(Document *document);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTabWidget *tabs() const;
    // The tab bar whose mouse buttons are filtered. Compared by address only:
    // its events keep coming while the window is half destroyed.
    const QObject *m_tabBar = nullptr;
    int takeTreeIndex();
    Document *createDocument();
    void discardDocument(Document *document);
    int addTab(Document *document);
    void refreshCaption(Document *document);
    void onTabSwitch(int index);
    void showLoadWarnings(const QString &path, const core::EexLoadResult &result);
    // Where the open and save dialogs start: the folder of `document`'s file,
    // else the game's scenario folder ("Rs"), else the game folder.
    QString dialogFolder(const Document *document) const;
    QString askSavePath(const Document *document, const QString &proposal);
    // A save of `document` under `path` refused because another tab shows
    // that file: says so and answers true.
    bool openInAnotherTab(const Document *document, const QString &path);
    bool writeDocument(Document *document, const QString &path, bool newPath);
    bool readOnlyAllowsWrite(const QString &path);
    void showFilePopup(const QPoint &globalPos);
    void selectTabAt(const QPoint &pos);
    void openConverter();
    void runExePatch();

    MainWindow &m_window;
    core::KeySerial m_keySerial = 0;
    QList<int> m_freeTreeSlots;
    core::EexWriteHook m_writeHook;
    PopupHook m_popupHook;
};

} // namespace workspace
