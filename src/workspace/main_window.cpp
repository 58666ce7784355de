#include "workspace/main_window.h"

#include "core/settings.h"
#include "platform/single_instance.h"
#include "workspace/elided_label.h"
#include "workspace/menus.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace workspace {

namespace {

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

// A menu item's words as its menu shows them: the mnemonic marker "&" goes,
// "&&" shows as one "&".
QString shownMenuText(const QString &menuText)
{
    QString shown;
    for (qsizetype i = 0; i < menuText.size(); ++i) {
        if (menuText[i] == u'&' && i + 1 < menuText.size())
            ++i;
        shown += menuText[i];
    }
    return shown;
}

// A menu's name without its key letter: "파일" of "파일 (&F)".
QString menuWords(const QString &menuText)
{
    const qsizetype key = menuText.indexOf(QLatin1String(" (&"));
    return shownMenuText(key < 0 ? menuText : menuText.left(key));
}

// Stand-ins when the desktop has no icon theme.
QStyle::StandardPixmap fallbackIcon(const QString &themeName)
{
    if (themeName == QLatin1String("document-new"))
        return QStyle::SP_FileIcon;
    if (themeName == QLatin1String("document-open"))
        return QStyle::SP_DialogOpenButton;
    if (themeName == QLatin1String("document-save"))
        return QStyle::SP_DialogSaveButton;
    if (themeName == QLatin1String("edit-delete"))
        return QStyle::SP_TrashIcon;
    if (themeName == QLatin1String("help-about"))
        return QStyle::SP_DialogHelpButton;
    return QStyle::SP_CustomBase;
}

// The style has no cut, copy and paste pictures; without an icon theme these
// small drawings keep the toolbar a row of icons.
QIcon drawnIcon(const QString &themeName)
{
    const bool cut = themeName == QLatin1String("edit-cut");
    const bool copy = themeName == QLatin1String("edit-copy");
    const bool paste = themeName == QLatin1String("edit-paste");
    if (!cut && !copy && !paste)
        return {};
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(60, 60, 60), 1.5);
    p.setPen(outline);
    if (cut) {
        p.drawLine(QPointF(7, 3), QPointF(15.5, 16));
        p.drawLine(QPointF(17, 3), QPointF(8.5, 16));
        p.setPen(QPen(QColor(190, 40, 40), 2));
        p.drawEllipse(QPointF(7, 18.5), 3, 3);
        p.drawEllipse(QPointF(17, 18.5), 3, 3);
    } else if (copy) {
        p.setBrush(QColor(235, 240, 250));
        p.drawRect(QRectF(3.5, 3.5, 11, 14));
        p.drawRect(QRectF(9.5, 7.5, 11, 14));
    } else {
        p.setBrush(QColor(205, 160, 95));
        p.drawRoundedRect(QRectF(3.5, 4.5, 14, 17), 2, 2);
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(7.5, 2.5, 6, 4));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(10.5, 9.5, 10, 12));
    }
    return QIcon(pixmap);
}

} // namespace

QFont koreanUiFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("NanumGothic"), QStringLiteral("나눔고딕")});
    return font;
}

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FrmStoryloom"));
    setWindowTitle(QStringLiteral("Storyloom 1.0.2"));
    setFont(koreanUiFont());
    // The bars are switched by the View menu only, not by a context menu.
    setContextMenuPolicy(Qt::NoContextMenu);
    resize(800, 600);

    buildMenus();
    buildToolbar();
    buildCentral();
    connectOwnActions();

    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("SB"));
    m_statusLabel = new ElidedLabel(defaultStatusText(), bar);
    m_statusLabel->setObjectName(QStringLiteral("SBText"));
    bar->addWidget(m_statusLabel, 1);
    setStatusBar(bar);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kTimerIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::openHandOvers);
    m_timer->start();
}

MainWindow::~MainWindow()
{
    // The pages go with the strip; nobody is to hear of tab switches then.
    m_tabs->blockSignals(true);
}

void MainWindow::buildMenus()
{
    const QFont font = koreanUiFont();
    menuBar()->setFont(font);
    const auto table = menuTable();
    // The menu each level adds to; index 0 is the menu bar's level.
    QMenu *parents[3] = {nullptr, nullptr, nullptr};
    for (size_t i = 0; i < table.size(); ++i) {
        const MenuEntry &e = table[i];
        const bool opensSubmenu = i + 1 < table.size() && table[i + 1].level == e.level + 1;
        QAction *act = nullptr;
        if (opensSubmenu) {
            QMenu *m = e.level == 0 ? menuBar()->addMenu(text(e.caption)) : parents[e.level]->addMenu(text(e.caption));
            m->setObjectName(text(e.name));
            m->setFont(font);
            parents[e.level + 1] = m;
            act = m->menuAction();
        } else if (e.flags & MenuSeparator) {
            act = parents[e.level]->addSeparator();
        } else {
            act = new QAction(text(e.caption), this);
            if (e.level == 0)
                menuBar()->addAction(act);
            else
                parents[e.level]->addAction(act);
        }
        act->setObjectName(text(e.name));
        if (*e.shortcut)
            act->setShortcut(QKeySequence(text(e.shortcut), QKeySequence::PortableText));
        if (e.flags & MenuCheckable)
            act->setCheckable(true);
        act->setChecked(e.flags & MenuChecked);
        act->setEnabled(!(e.flags & MenuDisabled));
        act->setVisible(!(e.flags & MenuHidden));
        if (e.flags & MenuDocument)
            m_documentItems.append(act);
        if (e.flags & MenuDocumentMenu)
            m_documentMenus.append(act);
        if (e.slot)
            m_actions.*e.slot = act;
    }

    for (QAction *menuAct : std::as_const(m_documentMenus)) {
        for (QAction *child : menuAct->menu()->actions()) {
            if (!child->isSeparator())
                m_documentMenuActions.append(child);
        }
    }

    m_charGroup = new QActionGroup(this);
    m_charGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const MenuEntry &e : table) {
        if (e.flags & MenuCharSelect)
            m_charGroup->addAction(m_actions.*e.slot);
    }
}

void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->toggleViewAction()->setVisible(false);
    for (const ToolButtonEntry &b : toolbarTable()) {
        if (!*b.key) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction *act = m_actions.*b.action;
        const QString key = text(b.key);
        act->setToolTip(key);
        act->setIconText(key);
        QIcon icon = QIcon::fromTheme(text(b.icon));
        if (icon.isNull() && fallbackIcon(text(b.icon)) != QStyle::SP_CustomBase)
            icon = style()->standardIcon(fallbackIcon(text(b.icon)));
        if (icon.isNull())
            icon = drawnIcon(text(b.icon));
        act->setIcon(icon);
        act->setIconVisibleInMenu(false);
        m_toolbar->addAction(act);
        if (auto *button = qobject_cast<QToolButton *>(m_toolbar->widgetForAction(act))) {
            button->setObjectName(key);
            if (icon.isNull())
                button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
    }
}

void MainWindow::buildCentral()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("TS"));
    m_tabs->setFont(koreanUiFont());
    m_tabs->setUsesScrollButtons(true);
    // The strip sizes its corner by the corner widget's size hint, which for
    // a push button is far wider than the small square; a holder whose hint
    // is the button's size keeps the "X" at the strip's right end.
    auto *corner = new QWidget(m_tabs);
    auto *cornerLayout = new QHBoxLayout(corner);
    cornerLayout->setContentsMargins(0, 0, 2, 3);
    m_closeButton = new QPushButton(QStringLiteral("X"), corner);
    m_closeButton->setObjectName(QStringLiteral("cbClosed"));
    QFont gulim = m_closeButton->font();
    gulim.setFamilies({QStringLiteral("Gulim"), QStringLiteral("굴림"), QStringLiteral("NanumGothic")});
    m_closeButton->setFont(gulim);
    m_closeButton->setFixedSize(17, 17);
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    cornerLayout->addWidget(m_closeButton);
    m_tabs->setCornerWidget(corner, Qt::TopRightCorner);
    layout->addWidget(m_tabs, 1);
    // The strip appears with the first tab.
    m_tabs->hide();
    setCentralWidget(central);
}

void MainWindow::connectOwnActions()
{
    connect(m_actions.rightClickClosesTab, &QAction::triggered, this,
            [this](bool checked) { writeOption("RC_TabClose", core::boolText(checked)); });
    connect(m_actions.ctrlClickSelects, &QAction::triggered, this,
            [this](bool checked) { writeOption("Ctrl_Click", core::boolText(checked)); });
    connect(m_actions.shiftClickSelects, &QAction::triggered, this,
            [this](bool checked) { writeOption("Shift_Click", core::boolText(checked)); });
    connect(m_actions.personPickerList, &QAction::triggered, this,
            [this] { writeOption("Char_Select", QStringLiteral("0")); });
    connect(m_actions.personPickerNumber, &QAction::triggered, this,
            [this] { writeOption("Char_Select", QStringLiteral("1")); });
    connect(m_actions.personPickerName, &QAction::triggered, this,
            [this] { writeOption("Char_Select", QStringLiteral("2")); });

    connect(m_actions.showToolbar, &QAction::toggled, m_toolbar, &QWidget::setVisible);
    connect(m_actions.showStatusBar, &QAction::toggled, this,
            [this](bool checked) { statusBar()->setVisible(checked); });

    // Ending through the menu asks the same save questions as closing.
    connect(m_actions.exit, &QAction::triggered, this, &QWidget::close);

    connect(m_closeButton, &QPushButton::clicked, this, [this] {
        if (m_tabs->count() > 0 && m_hooks.closeSelectedTab)
            m_hooks.closeSelectedTab();
    });
    for (int entry = 1; entry <= 5; ++entry) {
        connect(m_actions.recent(entry), &QAction::triggered, this, [this, entry] {
            if (m_hooks.openRecent)
                m_hooks.openRecent(entry);
        });
    }
}

void MainWindow::writeOption(const char *key, const QString &value)
{
    core::writeINI(QStringLiteral("Option"), QString::fromUtf8(key), value);
}

QString MainWindow::statusText() const { return m_statusLabel->text(); }

void MainWindow::setStatusText(const QString &text)
{
    m_statusLabel->setText(text == defaultStatusText() ? helpText() : text);
}

QString MainWindow::helpText() const
{
    // Said first and short enough for the default window width: the bar cuts
    // a long text at its end.
    if (demoGameInUse())
        return QStringLiteral("예시 게임 사용 중: 이름·얼굴·지도는 지어낸 것입니다. "
                              "실제 게임은 %1 메뉴의 \"%2\"에서 고르십시오.   |  ")
                   .arg(menuWords(m_actions.fileMenu->text()), shownMenuText(m_actions.gameFolder->text()))
               + defaultStatusText();
    return defaultStatusText();
}

void MainWindow::setDemoGameFolder(const QString &folder)
{
    m_demoGameFolder = folder;
    refreshHelpText();
}

bool MainWindow::demoGameInUse() const
{
    return !m_demoGameFolder.isEmpty() && m_gameData.folder == m_demoGameFolder;
}

void MainWindow::refreshHelpText()
{
    // Either form of the help text ends with the default one; a key never does.
    if (m_statusLabel->text().endsWith(defaultStatusText()))
        m_statusLabel->setText(helpText());
}

void MainWindow::loadOptionMarks()
{
    const core::OptionMarks marks = core::readOptionMarks();
    m_actions.rightClickClosesTab->setChecked(marks.rightClickTabClose);
    m_actions.ctrlClickSelects->setChecked(marks.ctrlClick);
    m_actions.shiftClickSelects->setChecked(marks.shiftClick);
    switch (marks.charSelect) {
    case core::CharSelectMode::List:
        m_actions.personPickerList->setChecked(true);
        break;
    case core::CharSelectMode::Number:
        m_actions.personPickerNumber->setChecked(true);
        break;
    case core::CharSelectMode::Name:
        m_actions.personPickerName->setChecked(true);
        break;
    }
}

core::OptionMarks MainWindow::optionMarks() const
{
    core::OptionMarks marks;
    marks.rightClickTabClose = m_actions.rightClickClosesTab->isChecked();
    marks.ctrlClick = m_actions.ctrlClickSelects->isChecked();
    marks.shiftClick = m_actions.shiftClickSelects->isChecked();
    marks.charSelect = m_actions.personPickerNumber->isChecked()    ? core::CharSelectMode::Number
                       : m_actions.personPickerName->isChecked() ? core::CharSelectMode::Name
                                                                            : core::CharSelectMode::List;
    return marks;
}

void MainWindow::loadRecentItems()
{
    for (int entry = 5; entry >= 1; --entry) {
        QAction *item = m_actions.recent(entry);
        const QString path = core::readINI(QStringLiteral("Recent_Scenario"), QString::number(entry)).trimmed();
        const QString prefix = QString::number(entry) + QStringLiteral(". ");
        // "&" in a path is a literal character, not an access key.
        item->setText(path.isEmpty() ? prefix : prefix + QString(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(!path.isEmpty());
        if (entry == 1)
            m_actions.recentMenu->setEnabled(!path.isEmpty());
        else
            item->setVisible(!path.isEmpty());
    }
}

bool MainWindow::recentUsed(int entry) const
{
    const QAction *item = m_actions.recent(entry);
    return item && item->data().toBool();
}

void MainWindow::setDocumentState(bool hasDocument)
{
    for (QAction *item : std::as_const(m_documentItems))
        item->setEnabled(hasDocument);
    for (QAction *menuAct : std::as_const(m_documentMenus))
        menuAct->setVisible(hasDocument);
    if (hasDocument != m_documentState) {
        for (QAction *act : std::as_const(m_documentMenuActions)) {
            if (hasDocument) {
                act->setEnabled(m_enabledBeforeNoDocument.value(act, true));
            } else {
                m_enabledBeforeNoDocument.insert(act, act->isEnabled());
                act->setEnabled(false);
            }
        }
    }
    m_tabs->setVisible(hasDocument);
    m_documentState = hasDocument;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_activated && !m_activationQueued) {
        // After the window has been painted once, like an activation.
        m_activationQueued = true;
        QTimer::singleShot(0, this, &MainWindow::firstActivation);
    }
}

void MainWindow::firstActivation()
{
    if (m_activated)
        return;
    m_activated = true;
    if (m_startupFiles.isEmpty()) {
        if (m_hooks.newFile)
            m_hooks.newFile();
    } else if (m_hooks.openFiles) {
        m_hooks.openFiles(m_startupFiles);
    }
    setDocumentState(m_tabs->count() > 0);
    emit firstActivated();
}

void MainWindow::queueHandOver(const QStringList &paths)
{
    for (const QString &p : paths) {
        if (!p.isEmpty())
            m_handOvers.append(p);
    }
}

void MainWindow::openHandOvers()
{
    // A copy that answered at the start may have been dying: receive once it is gone.
    if (m_source && !m_source->isListening())
        m_source->retryListen();
    if (m_source)
        queueHandOver(m_source->takePending());
    if (m_handOvers.isEmpty() || m_openingHandOver)
        return;
    // Opening under a modal dialog would change the current tab behind the
    // dialog's back; a pop-up menu acts on the tab it was opened for.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return;
    const QStringList paths = std::exchange(m_handOvers, {});
    // The queue keeps these entries until their tabs exist: a copy that
    // dies while opening leaves them for the next start.
    const QStringList entries = m_source ? m_source->takenEntries() : QStringList();
    m_openingHandOver = true;
    // One at a time: a damaged file stops only its own opening, not that of
    // files handed over with it, whose entries leave the queue all the same.
    if (m_hooks.openFiles) {
        for (const QString &path : paths)
            m_hooks.openFiles({path});
    }
    m_openingHandOver = false;
    if (m_source)
        m_source->finish(entries);
}

platform::MsgResult MainWindow::askSaveQuestion()
{
    // The strip doubles "&" so it shows literally; the question shows the name.
    QString caption = m_tabs->tabText(m_tabs->currentIndex()).replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (caption.endsWith(QLatin1Char('*')))
        caption.chop(1);
    return platform::Prompts::instance().message(this, caption + QStringLiteral("를 저장하시겠습니까?"),
                                                 QStringLiteral("저장여부"), platform::MsgButtons::YesNoCancel,
                                                 platform::MsgIcon::Information);
}

bool MainWindow::queryUnload()
{
    for (int tab = 0; tab < m_tabs->count(); ++tab) {
        m_tabs->setCurrentIndex(tab);
        if (!m_tabs->tabText(tab).endsWith(QLatin1Char('*')))
            continue;
        const platform::MsgResult answer = askSaveQuestion();
        if (answer == platform::MsgResult::Cancel)
            return false;
        // A save that fails or is cancelled must not end in lost work.
        if (answer == platform::MsgResult::Yes && !(m_hooks.saveTab && m_hooks.saveTab(tab)))
            return false;
        if (m_hooks.clearModified)
            m_hooks.clearModified(tab);
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!queryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    // Tool windows without owner (the multi-selection mirror) must not keep
    // the program alive.
    if (m_quitOnClose)
        QCoreApplication::exit(0);
}

} // namespace workspace
