#include "workspace/documents.h"

#include "workspace/background_load.h"

#include "core/exe_patch.h"
#include "core/settings.h"
#include "platform/prompts.h"
#include "workspace/doc_tree_model.h"
#include "workspace/document.h"
#include "workspace/edit_commands.h"
#include "workspace/long_task.h"
#include "workspace/converter_dialog.h"
#include "workspace/main_window.h"
#include "workspace/recent_files.h"
#include "workspace/scenario_tree_view.h"
#include "workspace/search_commands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>

#include <sys/stat.h>

namespace workspace {

namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

const QString kEexFilter = QStringLiteral("EEX 파일 (*.eex)");
const QString kErrorTitle = QStringLiteral("Error!");

platform::Prompts &prompts() { return platform::Prompts::instance(); }

bool hasEexExtension(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("eex"), Qt::CaseInsensitive) == 0;
}

// The tab bar and the recent menu read "&" as an access key.
QString literalCaption(QString caption) { return caption.replace(QLatin1Char('&'), QStringLiteral("&&")); }

bool isReadOnly(const QString &path)
{
    return QFileInfo::exists(path) && !(QFile::permissions(path) & QFileDevice::WriteOwner);
}

// Whether two paths name one file, however spelled: a symbolic link, a hard
// link or "sub/../a.eex" name the file itself (same device and inode).
// Paths of which one does not exist compare as cleaned absolute paths.
bool sameFile(const QString &a, const QString &b)
{
    struct stat sa = {}, sb = {};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

// A file that did not open: the reader's reason, in Korean.
void showLoadFailure(QWidget *parent, const QString &path, const core::EexLoadResult &result)
{
    prompts().message(parent, core::eexLoadFailureMessage(result, path), kErrorTitle, MsgButtons::Ok,
                      MsgIcon::Critical);
}

} // namespace

Documents::Documents(MainWindow &window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("Documents"));
    QTabWidget *strip = tabs();
    strip->tabBar()->setSelectionBehaviorOnRemove(QTabBar::SelectRightTab);
    m_tabBar = strip->tabBar();
    strip->tabBar()->installEventFilter(this);
    connect(strip, &QTabWidget::currentChanged, this, &Documents::onTabSwitch);

    WindowHooks &h = window.hooks();
    h.openFiles = [this](const QStringList &paths) { openFiles(paths); };
    h.newFile = [this] { newFile(); };
    h.saveTab = [this](int tab) { return saveTab(tab); };
    h.clearModified = [this](int tab) {
        if (Document *d = documentAt(tab))
            d->setModifiedFlag(false);
    };
    // The "X" asks like the close command instead of dropping changes.
    h.closeSelectedTab = [this] { closeCurrent(); };
    h.openRecent = [this](int entry) { openRecent(entry); };

    const Actions &a = window.actions();
    auto on = [&](QAction *item, auto slot) { connect(item, &QAction::triggered, this, slot); };
    on(a.newFile, [this] { newFile(); });
    on(a.open, [this] { chooseAndOpenFiles(); });
    on(a.save, [this] { save(); });
    on(a.saveAs, [this] { saveAs(); });
    on(a.close, [this] { closeCurrent(); });
    on(a.closeAll, [this] { closeAll(); });
    on(a.reload, [this] { reload(); });
    on(a.convertToExtended, [this] { openConverter(); });
    on(a.exePatch, [this] { runExePatch(); });
    a.convertToExtended->setEnabled(true);

    // The Edit menu, the tree's clicks and keys, and the option windows.
    new EditCommands(window, *this);
    connectSearchCommands(window, *this);
}

Documents::~Documents() = default;

Documents *Documents::of(const MainWindow &window)
{
    return window.findChild<Documents *>(QStringLiteral("Documents"), Qt::FindDirectChildrenOnly);
}

QTabWidget *Documents::tabs() const { return m_window.tabStrip(); }

int Documents::tabCount() const { return tabs()->count(); }

int Documents::currentTab() const { return tabs()->currentIndex(); }

int Documents::currentTreeIndex() const
{
    const Document *d = current();
    return d ? d->treeIndex() : 0;
}

Document *Documents::documentAt(int tab) const
{
    auto *view = qobject_cast<ScenarioTreeView *>(tabs()->widget(tab));
    return view ? view->document() : nullptr;
}

Document *Documents::current() const { return documentAt(currentTab()); }

ScenarioTreeView *Documents::currentView() const
{
    const Document *d = current();
    return d ? d->view() : nullptr;
}

int Documents::tabOfPath(const QString &path) const
{
    for (int i = 0; i < tabCount(); ++i) {
        const Document *d = documentAt(i);
        if (!d->isUntitled() && sameFile(d->path(), path))
            return i;
    }
    return -1;
}

bool Documents::openInAnotherTab(const Document *document, const QString &path)
{
    const int tab = tabOfPath(path);
    if (tab < 0 || documentAt(tab) == document)
        return false;
    // Two tabs saving one file would lose one tab's edits.
    prompts().message(&m_window,
                      path + QStringLiteral("\r\n")
                          + QStringLiteral("이 파일은 다른 탭에 열려 있어서 이 이름으로 저장하지 않았습니다. "
                                           "그 탭을 닫거나 다른 이름을 고르십시오."),
                      kErrorTitle, MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
}

core::CaptionContext Documents::captions() const { return m_window.captionContext(); }

// --- tabs ------------------------------------------------------------------

int Documents::takeTreeIndex()
{
    // Indices in use and given back always cover 1 up to the highest one.
    if (!m_freeTreeSlots.isEmpty())
        return m_freeTreeSlots.takeFirst();
    return tabCount() + 1;
}

Document *Documents::createDocument()
{
    auto *document = new Document(takeTreeIndex());
    connect(document, &Document::modifiedChanged, this, [this, document] { refreshCaption(document); });
    connect(document->view(), &ScenarioTreeView::filesDropped, this, [this](const QStringList &paths) {
        // Each dropped file is opened on its own, in drop order.
        for (const QString &p : paths)
            openFiles({p});
    });
    return document;
}

void Documents::discardDocument(Document *document)
{
    m_freeTreeSlots.append(document->treeIndex());
    delete document->view();
}

int Documents::addTab(Document *document)
{
    const int tab = tabs()->addTab(document->view(), literalCaption(document->caption()));
    m_window.setDocumentState(true);
    tabs()->setCurrentIndex(tab);
    return tab;
}

void Documents::refreshCaption(Document *document)
{
    const int tab = tabs()->indexOf(document->view());
    if (tab >= 0)
        tabs()->setTabText(tab, literalCaption(document->caption()));
}

void Documents::onTabSwitch(int index)
{
    Document *d = documentAt(index);
    if (!d) {
        emit currentDocumentChanged(nullptr);
        return;
    }
    d->view()->setFocus();
    if (m_window.inDocumentState())
        m_window.actions().undo->setEnabled(d->history().canUndo());
    emit currentDocumentChanged(d);
}

void Documents::markTabModified() { markModified(current()); }

void Documents::markModified(Document *document)
{
    if (!document)
        return;
    const bool wasModified = document->modified();
    // Told even when marked already: a change outside the undo stack keeps
    // the mark when the stack goes back to the saved state.
    document->markModified();
    if (!wasModified)
        refreshCaption(document);
}

// --- new ---------------------------------------------------------------------

void Documents::newFile()
{
    Document *d = createDocument();
    core::DocTree fresh;
    buildUntitledTree(fresh, m_keySerial, captions());
    d->tree().swapContent(fresh);
    addTab(d);
    d->view()->selectNode(d->tree().root());
    d->view()->setFocus();
    emit currentDocumentChanged(d);
}

core::NodeId Documents::addScene(bool inFront, core::NodeId target, const QString &word)
{
    Document *d = current();
    return d ? workspace::addScene(d->tree(), m_keySerial, captions(), inFront, target, word) : core::kNoNode;
}

core::NodeId Documents::addSection(bool inFront, core::NodeId target, const QString &word)
{
    Document *d = current();
    return d ? workspace::addSection(d->tree(), m_keySerial, captions(), inFront, target, word) : core::kNoNode;
}

// --- open ------------------------------------------------------------------

void Documents::chooseAndOpenFiles()
{
    platform::FileDialogRequest request;
    request.title = QStringLiteral("EEX 파일을 열어주세요.");
    request.filter = kEexFilter;
    request.folder = dialogFolder(current());
    const QStringList chosen = prompts().openFiles(&m_window, request);
    if (!chosen.isEmpty())
        openFiles(chosen);
}

bool Documents::openFiles(const QStringList &paths)
{
    bool ok = true;
    for (const QString &path : paths) {
        if (!hasEexExtension(path))
            continue;
        const int open = tabOfPath(path);
        if (open >= 0) {
            tabs()->setCurrentIndex(open);
            continue;
        }
        // Read aside first: a file that fails leaves no tab behind, and so
        // does a long read the user cancelled (the rest are not opened).
        core::DocTree loaded;
        const std::optional<core::EexLoadResult> read =
            loadWithProgress(&m_window, path, loaded, m_keySerial, captions());
        if (!read) {
            ok = false;
            break;
        }
        const core::EexLoadResult &result = *read;
        if (!result.ok) {
            showLoadFailure(&m_window, path, result);
            ok = false;
            break;
        }
        Document *d = createDocument();
        d->tree().swapContent(loaded);
        d->setPath(path);
        d->markSaved();
        addTab(d);
        addRecentFile(path);
        m_window.loadRecentItems();
        d->view()->selectNode(d->tree().root());
        showLoadWarnings(path, result);
    }
    m_window.setDocumentState(tabCount() > 0);
    if (Document *d = current())
        emit currentDocumentChanged(d);
    return ok;
}

void Documents::showLoadWarnings(const QString &path, const core::EexLoadResult &result)
{
    if (result.warnings.empty())
        return;
    const QString text = Document::captionFor(path) + QStringLiteral("\r\n") + core::eexLoadWarningsText(result.warnings);
    prompts().message(&m_window, text, QStringLiteral("Warning!"), MsgButtons::Ok, MsgIcon::Exclamation);
}

void Documents::openRecent(int entry)
{
    if (entry < 1 || entry > kRecentCount)
        return;
    const QString path = recentEntries().at(entry - 1);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        prompts().message(&m_window, QStringLiteral("존재하지 않는 파일입니다!"), QStringLiteral("Not Found!"),
                          MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    const int open = tabOfPath(path);
    if (open >= 0) {
        tabs()->setCurrentIndex(open);
        documentAt(open)->view()->setFocus();
        return;
    }
    // openFiles moves the entry to the top when the file opened.
    if (openFiles({path}))
        tabs()->setCurrentIndex(tabCount() - 1);
}

// --- save ------------------------------------------------------------------

bool Documents::save() { return saveTab(currentTab()); }

bool Documents::readOnlyAllowsWrite(const QString &path)
{
    if (!isReadOnly(path))
        return true;
    const MsgResult answer = prompts().message(
        &m_window,
        QStringLiteral("읽기 전용이므로 저장이 불가능합니다.") + QStringLiteral("\r\n")
            + QStringLiteral("읽기 전용 속성을 해제하시겠습니까?"),
        QStringLiteral("Inforamtion"), MsgButtons::YesNo, MsgIcon::Information);
    if (answer != MsgResult::Yes)
        return false;
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    return !isReadOnly(path);
}

bool Documents::writeDocument(Document *document, const QString &path, bool newPath)
{
    QString failure;
    if (!readOnlyAllowsWrite(path)) {
        failure = QStringLiteral("읽기 전용 파일입니다.");
    } else {
        // A large file takes a while: the save runs aside with the progress
        // dialog, and the view paints nothing meanwhile, since painting makes
        // captions in the tree the save reads.
        core::EexWriteResult result;
        QWidget *view = document->view();
        const bool painting = view && view->updatesEnabled();
        if (painting)
            view->setUpdatesEnabled(false);
        const auto paintAgain = qScopeGuard([&] {
            if (painting)
                view->setUpdatesEnabled(true);
        });
        runAside(&m_window, kSavingLabel, [&] { result = core::eexWrite(document->tree(), path, m_writeHook); });
        if (!result.ok)
            failure = result.message;
    }
    if (!failure.isNull()) {
        // The document keeps its path, caption and mark.
        QString text = QStringLiteral("저장하지 못했습니다.");
        if (!failure.isEmpty())
            text += QStringLiteral("\r\n") + failure;
        prompts().message(&m_window, text, kErrorTitle, MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    if (newPath) {
        document->tree().setText(document->tree().root(), path);
        document->setPath(path);
    }
    document->markSaved();
    refreshCaption(document);
    return true;
}

QString Documents::dialogFolder(const Document *document) const
{
    // Never the program's own folder, where a dialog with no folder starts.
    if (document && !document->isUntitled()) {
        const QFileInfo file(document->path());
        if (file.absoluteDir().exists())
            return file.absolutePath();
    }
    const QString game = core::readINI(QStringLiteral("Folder"), QStringLiteral("Path")).trimmed();
    if (!game.isEmpty() && QFileInfo(QDir(game).filePath(QStringLiteral("Rs"))).isDir())
        return QDir(game).filePath(QStringLiteral("Rs"));
    return game;
}

QString Documents::askSavePath(const Document *document, const QString &proposal)
{
    platform::FileDialogRequest request;
    request.filter = kEexFilter;
    request.folder = dialogFolder(document);
    request.fileName = proposal;
    QString path = prompts().saveFile(&m_window, request);
    if (path.isEmpty())
        return path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".eex");
    return path;
}

bool Documents::saveTab(int tab)
{
    Document *d = documentAt(tab);
    if (!d)
        return false;
    if (!d->isUntitled())
        return writeDocument(d, d->path(), false);
    const QString path = askSavePath(d, QString());
    return !path.isEmpty() && !openInAnotherTab(d, path) && writeDocument(d, path, true);
}

bool Documents::saveAs()
{
    Document *d = current();
    if (!d)
        return false;
    QString proposal = d->caption();
    if (proposal.endsWith(kModifiedMark))
        proposal.chop(kModifiedMark.size());
    const QString path = askSavePath(d, proposal);
    return !path.isEmpty() && !openInAnotherTab(d, path) && writeDocument(d, path, true);
}

// --- reload ----------------------------------------------------------------

void Documents::reload()
{
    Document *d = current();
    if (!d || d->isUntitled())
        return;
    if (d->modified()
        && prompts().message(&m_window, QStringLiteral("저장하시지 않고 새로 고침하시겠습니까?"), QStringLiteral("질문"),
                             MsgButtons::YesNo, MsgIcon::Information)
               != MsgResult::Yes)
        return;
    // A damaged file on disk leaves the open tree, its mark and history.
    core::DocTree fresh;
    const QString path = d->tree().text(d->tree().root());
    const core::EexLoadResult result = core::eexLoadFile(path, fresh, m_keySerial, captions());
    if (!result.ok) {
        showLoadFailure(&m_window, path, result);
        return;
    }
    d->tree().swapContent(fresh);
    d->markSaved();
    d->history().clear();
    refreshCaption(d);
    d->view()->selectNode(d->tree().root());
    showLoadWarnings(path, result);
    onTabSwitch(currentTab());
}

// --- close -----------------------------------------------------------------

bool Documents::closeCurrent()
{
    Document *d = current();
    if (!d)
        return true;
    if (d->caption().endsWith(QLatin1Char('*'))) {
        const MsgResult answer = m_window.askSaveQuestion();
        if (answer == MsgResult::Cancel)
            return false;
        // A save that did not complete keeps the tab, so nothing is lost.
        if (answer == MsgResult::Yes && !save())
            return false;
        d->setModifiedFlag(false);
    }
    closeTab();
    return true;
}

bool Documents::closeAll()
{
    const int n = tabCount();
    for (int i = 0; i < n; ++i) {
        tabs()->setCurrentIndex(0);
        if (!closeCurrent())
            return false;
    }
    return true;
}

void Documents::closeTab()
{
    Document *d = current();
    if (!d)
        return;
    const int tab = currentTab();
    m_freeTreeSlots.append(d->treeIndex());
    tabs()->removeTab(tab);
    delete d->view();
    if (tabCount() == 0) {
        m_window.setDocumentState(false);
        emit currentDocumentChanged(nullptr);
    }
}

// --- tab strip mouse ---------------------------------------------------------

void Documents::selectTabAt(const QPoint &pos)
{
    const int tab = tabs()->tabBar()->tabAt(pos);
    if (tab >= 0)
        tabs()->setCurrentIndex(tab);
}

bool Documents::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_tabBar)
        return QObject::eventFilter(watched, event);
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (!press && !release)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    const bool rightClose = m_window.actions().rightClickClosesTab->isChecked();
    const QPoint pos = mouse->position().toPoint();
    if (mouse->button() == Qt::RightButton && press && !rightClose) {
        selectTabAt(pos);
        showFilePopup(mouse->globalPosition().toPoint());
        return true;
    }
    if ((mouse->button() == Qt::RightButton && release && rightClose)
        || (mouse->button() == Qt::MiddleButton && release)) {
        selectTabAt(pos);
        closeCurrent();
        return true;
    }
    return false;
}

void Documents::showFilePopup(const QPoint &globalPos)
{
    // The pop-up offers only what acts on a tab. It is a menu of its own over
    // the File menu's actions: hiding those would also hide the toolbar
    // buttons that share them while the pop-up is open.
    // The items up to "새로 고침", without opening and the game folder.
    const Actions &items = m_window.actions();
    QMenu popup(&m_window);
    popup.setObjectName(QStringLiteral("mnuFilePopup"));
    QMenu *file = items.fileMenu->menu();
    popup.setFont(file->font());
    for (QAction *a : file->actions()) {
        if (a != items.open && a != items.gameFolder)
            popup.addAction(a);
        if (a == items.reload)
            break;
    }
    if (m_popupHook)
        m_popupHook(&popup, globalPos);
    else
        popup.exec(globalPos);
}

// --- other File items ----------------------------------------------------------

void Documents::openConverter()
{
    ConverterDialog::Hooks hooks;
    hooks.isPathOpen = [this](const QString &absolutePath) { return tabOfPath(absolutePath) >= 0; };
    hooks.chooseFiles = [](QWidget *parent, const QString &title, const QString &folder, const QString &filter) {
        return prompts().openFiles(parent, {title, folder, QString(), filter});
    };
    hooks.showMessage = [](QWidget *parent, const QString &title, const QString &text, bool error) {
        prompts().message(parent, text, title, MsgButtons::Ok, error ? MsgIcon::Critical : MsgIcon::Information);
    };
    ConverterDialog dialog(hooks, &m_window);
    dialog.exec();
}

void Documents::runExePatch()
{
    const core::ExePatchResult result = core::exePatch();
    prompts().message(&m_window, result.message, m_window.windowTitle(), MsgButtons::Ok,
                      result.ok ? MsgIcon::None : MsgIcon::Critical);
}

} // namespace workspace
