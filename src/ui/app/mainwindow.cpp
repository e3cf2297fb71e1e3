#include "ui/app/mainwindow.h"
#include "core/commands/programname.h"
#include "core/commands/statusfields.h"

#include "core/document/prompter.h"
#include "core/order/comparenames.h"
#include "core/order/find.h"
#include "core/order/orders.h"
#include "core/settings/appsettings.h"
#include "ui/app/commandkeys.h"
#include "ui/app/helpwindow.h"
#include "ui/app/inputhold.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/statisticshandlers.h"
#include "ui/app/viewhandlers.h"
#include "ui/dialogs/aboutdialog.h"
#include "ui/dialogs/filtersdialog.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QToolBar>
#include <QWhatsThis>

#include <new>
#include <utility>

// The resources live in a static library, so they are registered by hand.
static void initDiscoraResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(help);
}

namespace discora {

namespace {

const QString kAppTitle = QString::fromLatin1(kProgramTitle);
const QString kFileFilter = QStringLiteral("Discora Files (*.dcf)");
constexpr const char* kWaitForTheOrder =
    "The catalogue is being put in order; drop the file again when it is shown.";
constexpr const char* kOrderCancelled = "Cancelled: the catalogue is shown in the order it was.";
constexpr CommandId kRecentFileIds[kRecentFileCount] = {CommandId::RecentFile1, CommandId::RecentFile2,
                                                        CommandId::RecentFile3, CommandId::RecentFile4};

ScreenRect toScreenRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

MainWindow::MainWindow(CatalogueDocument& doc, AppSettings& settings, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_settings(settings), m_prompter(prompter)
{
    initDiscoraResources();
    m_view = new CatalogueView(m_doc, this);
    setCentralWidget(m_view);
    m_statusBar = new MainStatusBar(this);
    setStatusBar(m_statusBar);
    m_doc.setProgressSink(m_statusBar);
    m_tasks = new TaskRunner(m_statusBar, this);
    m_hold = new InputHold(
        *this, [this] { m_statusBar->setStatusText(QString::fromUtf8(kWaitForTheOrder)); },
        [this] { m_tasks->cancel(); });
    // Once long work has handed its result over, what came meanwhile has its turn.
    connect(m_tasks, &TaskRunner::finished, this, [this] {
        m_hold->release();
        for (CommandId id : std::exchange(m_heldCommands, {}))
            runCommand(id);
        refreshActions();
    });

    for (const std::string& file : m_settings.readRecentFiles())
        m_recentFiles.append(fromPath(file));

    createActions();
    registerHandlers();
    m_viewHandlers = new ViewHandlers(m_doc, *m_view, *this, this);
    m_viewHandlers->registerHandlers();
    m_statisticsHandlers = new StatisticsHandlers(m_doc, *this, m_prompter);
    m_statisticsHandlers->registerHandlers();
    m_view->setFocus();
    connect(m_view, &CatalogueView::menuRequested, this, [this](ViewMenu kind, const QPoint& at) {
        std::unique_ptr<QMenu> menu(kind == ViewMenu::Fields ? createFieldsMenu(m_view)
                                                             : createContextMenu(m_view));
        menu->exec(at);
    });
    createMenus();
    createToolBar();
    setAcceptDrops(true);
    setWindowIcon(QIcon(QStringLiteral(":/icons/discora.svg")));
    m_doc.addObserver(this);
    qApp->installEventFilter(this);
    updateTitle();
    updateRecentFileActions();
    refreshActions();
    updateOrientation();
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    m_doc.removeObserver(this);
    m_doc.setProgressSink(nullptr);
}

// ---- Command table -------------------------------------------------------------------------

void MainWindow::createActions()
{
    for (const CommandInfo& info : allCommands()) {
        auto* action = new QAction(toQt(info.menuText), this);
        action->setStatusTip(toQt(info.statusText()));
        action->setToolTip(toQt(info.tooltip()));
        action->setWhatsThis(toQt(info.statusText()));
        action->setShortcuts(commandKeys(info.id));
        if (!info.icon.empty())
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(toQt(info.icon))));
        action->setCheckable(isCheckable(info.id));
        action->setData(static_cast<int>(info.id));
        const CommandId id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        m_actions[id] = action;
        addAction(action); // shortcuts work even while the menu bar is hidden
    }
    updateActionTexts(uiState());
}

void MainWindow::updateActionTexts(const UiState& state)
{
    // Only Undo and Redo change their text, and only when the step they name changes; refreshing
    // the actions otherwise allocates nothing.
    const std::string undoText = menuTextOf(CommandId::Undo, state);
    const std::string redoText = menuTextOf(CommandId::Redo, state);
    const bool first = m_shownUndoText.empty();
    if (!first && undoText == m_shownUndoText && redoText == m_shownRedoText)
        return;
    for (const auto& [id, a] : m_actions) {
        if (id == CommandId::RecentFile1 || id == CommandId::RecentFile2 || id == CommandId::RecentFile3 ||
            id == CommandId::RecentFile4)
            continue;
        if (!first && id != CommandId::Undo && id != CommandId::Redo)
            continue;
        QString text = toQt(menuTextOf(id, state));
        // Qt's menus show one key; a command with a standard key besides ours lists both.
        if (a->shortcuts().size() > 1) {
            const QString keys = commandKeysText(id, KeyList::ForMenu);
            if (keys != a->shortcut().toString(QKeySequence::NativeText))
                text += QLatin1Char('\t') + keys;
        }
        if (a->text() != text)
            a->setText(text);
    }
    m_shownUndoText = undoText;
    m_shownRedoText = redoText;
}

QAction* MainWindow::action(CommandId id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void MainWindow::setHandler(CommandId id, std::function<void()> handler)
{
    m_handlers[id] = std::move(handler);
    refreshActions();
}

void MainWindow::runCommand(CommandId id)
{
    if (m_tasks->busy()) { // a command that reached us anyway (a screen reader's) waits its turn
        m_heldCommands.push_back(id);
        return;
    }
    refreshActions();
    const auto it = m_handlers.find(id);
    QAction* a = action(id);
    if (it == m_handlers.end() || (a && !a->isEnabled())) {
        refreshActions(); // a checkable action toggled itself; put it back
        return;
    }
    const auto handler = it->second; // the handler may replace itself
    try {
        handler();
    } catch (const std::bad_alloc&) {
        // The document put back whatever the command had changed; the command did not happen.
        m_prompter.showError(kNotEnoughMemory);
    }
    refreshActions();
}

void MainWindow::registerHandlers()
{
    setHandler(CommandId::New, [this] { newFile(); });
    setHandler(CommandId::Open, [this] { open(); });
    setHandler(CommandId::Save, [this] { save(); });
    setHandler(CommandId::SaveAs, [this] { saveAs(); });
    for (int i = 0; i < kRecentFileCount; ++i)
        setHandler(kRecentFileIds[i], [this, i] { openRecentFile(i); });
    setHandler(CommandId::Exit, [this] { close(); });
    setHandler(CommandId::ToggleToolBar, [this] { m_toolBar->setVisible(!m_toolBar->isVisible()); });
    setHandler(CommandId::ToggleStatusBar, [this] { m_statusBar->setVisible(!m_statusBar->isVisible()); });
    setHandler(CommandId::About, [this] { showAbout(); });
    setHandler(CommandId::HelpTopics, [this] { showHelp(); });
    setHandler(CommandId::Help, [this] { showHelp(); });
    setHandler(CommandId::ContextHelp, [] { QWhatsThis::enterWhatsThisMode(); });
    registerOrderHandlers();
}

void MainWindow::registerOrderHandlers()
{
    for (int o = 0; o < kSortOrderCount; ++o) {
        const auto order = static_cast<SortOrder>(o);
        setHandler(sortCommandOf(order), [this, order] { runOrder(order); });
    }
    setHandler(CommandId::Filters, [this] { report(runFiltersCommand(m_doc, m_prompter, this)); });
    setHandler(CommandId::WantList, [this] {
        const bool shown = uiState().wantListShown;
        report(m_doc.setFilter(FilterField::Status, shown ? kNoFilter : kWantListFilter));
    });
}

void MainWindow::runOrder(SortOrder order)
{
    if (!m_doc.progress() || m_doc.displayedCount() < m_longOrderFrom) {
        report(m_doc.runOrder(order));
        return;
    }
    // The work only reads the document, which nothing changes until the result is put in place:
    // commands and input wait, so the window goes on drawing the order it shows meanwhile.
    m_hold->engage();
    m_tasks->start<OrderResult>(
        [&doc = m_doc, order](ProgressSink* progress) { return doc.computeOrder(order, progress); },
        [this](TaskResult<OrderResult> result) { orderBuilt(std::move(result)); });
    refreshActions();
}

void MainWindow::orderBuilt(TaskResult<OrderResult> result)
{
    if (result.value) {
        report(m_doc.adoptOrder(std::move(*result.value)));
    } else if (result.failure) {
        try {
            std::rethrow_exception(result.failure);
        } catch (const std::bad_alloc&) {
            m_prompter.showError(kNotEnoughMemory); // the order shown stays as it was
        }
    } else {
        m_statusBar->setStatusText(QString::fromUtf8(kOrderCancelled));
    }
}

void MainWindow::report(const Status& status)
{
    if (!status)
        m_prompter.showError(status.error());
}

UiState MainWindow::uiState() const
{
    UiState s;
    s.albumCount = m_doc.albumCount();
    s.displayedCount = m_doc.displayedCount();
    s.currentOrder = m_doc.currentOrder();
    s.viewStyle = m_doc.viewStyle();
    s.readyForEntry = m_doc.readyForEntry();
    s.canUndo = m_doc.canUndo();
    s.canRedo = m_doc.canRedo();
    s.undoName = m_doc.undoRecord().name();
    s.redoName = m_doc.redoRecord().name();
    s.findEnabled = findEnabled(m_doc);
    s.wantListShown = CompareNames(m_doc.filter(FilterField::Status), kWantListFilter) == 0;
    s.toolBarVisible = m_toolBar && !m_toolBar->isHidden();
    s.statusBarVisible = m_statusBar && !m_statusBar->isHidden();
    if (m_view)
        m_view->describeState(s);
    if (m_viewHandlers)
        m_viewHandlers->describeState(s);
    return s;
}

void MainWindow::refreshActions()
{
    const UiState state = uiState();
    const auto apply = [&](CommandId id, QAction* a) {
        const CommandStatus status = commandStatus(id, state);
        a->setEnabled(hasHandler(id) && status.enabled);
        if (a->isCheckable())
            a->setChecked(status.checked);
    };
    for (const auto& [id, a] : m_actions)
        apply(id, a);
    for (const auto& [id, a] : m_extraActions)
        apply(id, a);
    try {
        updateActionTexts(state);
    } catch (const std::bad_alloc&) {
        // The menus keep the texts they had; the command itself reports the shortage.
    }
}

void MainWindow::createMenus()
{
    for (const MenuDef& def : mainMenu()) {
        QMenu* menu = menuBar()->addMenu(toQt(def.title));
        fillMenu(menu, def.items);
    }
}

void MainWindow::fillMenu(QMenu* menu, std::span<const MenuItem> items)
{
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshActions);
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItemKind::Command: menu->addAction(action(item.command)); break;
        case MenuItemKind::Separator: menu->addSeparator(); break;
        case MenuItemKind::Submenu: fillMenu(menu->addMenu(toQt(item.title)), item.items); break;
        case MenuItemKind::RecentFiles:
            m_noRecentFile = menu->addAction(QStringLiteral("Recent File"));
            m_noRecentFile->setEnabled(false);
            for (CommandId id : kRecentFileIds)
                menu->addAction(action(id));
            break;
        }
    }
}

QAction* MainWindow::makeContextAction(const MenuItem& item, QObject* parent)
{
    const CommandInfo& info = commandInfo(item.command);
    auto* a = new QAction(item.title.empty() ? toQt(info.menuText) : toQt(item.title), parent);
    a->setStatusTip(toQt(info.statusText()));
    a->setData(static_cast<int>(info.id));
    const CommandId id = item.command;
    connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
    connect(a, &QObject::destroyed, this, [this, a] {
        std::erase_if(m_extraActions, [a](const auto& entry) { return entry.second == a; });
    });
    m_extraActions.emplace_back(id, a);
    return a;
}

QMenu* MainWindow::createContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    for (const MenuItem& item : viewContextMenu())
        menu->addAction(makeContextAction(item, menu));
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshActions);
    return menu;
}

QMenu* MainWindow::createFieldsMenu(QWidget* parent)
{
    auto* menu = new QMenu(QStringLiteral("Fields"), parent);
    for (const MenuItem& item : fieldsMenu())
        menu->addAction(makeContextAction(item, menu));
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshActions);
    return menu;
}

void MainWindow::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    for (const auto& button : toolbarButtons()) {
        if (button) {
            QAction* command = action(*button);
            m_toolBar->addAction(command);
            // Heard as the command's name, without the keys the menu shows after a tab.
            if (QWidget* widget = m_toolBar->widgetForAction(command))
                widget->setAccessibleName(
                    command->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')));
        } else
            m_toolBar->addSeparator();
    }
    connect(m_toolBar, &QToolBar::visibilityChanged, this, &MainWindow::refreshActions);
}

// ---- Document ------------------------------------------------------------------------------

void MainWindow::documentUpdated()
{
    refreshActions();
    updateOrientation();
}

void MainWindow::headingsChanged()
{
    updateOrientation();
}

void MainWindow::updateOrientation()
{
    m_statusBar->setOrientation(toQt(albumCountText(m_doc)), toQt(orderText(m_doc)));
}

void MainWindow::showStatus(const std::string& text)
{
    m_statusBar->setStatusText(toQt(text));
}

void MainWindow::modifiedChanged(bool)
{
    updateTitle();
    refreshActions();
}

QString MainWindow::documentName() const
{
    if (m_currentFile.isEmpty())
        return QStringLiteral("Untitled");
    const QString name = QFileInfo(m_currentFile).fileName();
    return m_readOnly ? name + QStringLiteral(" (read-only)") : name;
}

void MainWindow::updateTitle()
{
    setWindowTitle(documentName() + QStringLiteral("[*] - ") + kAppTitle);
    setWindowModified(m_doc.isModified());
}

void MainWindow::setCurrentFile(const QString& fileName)
{
    m_currentFile = fileName;
    updateTitle();
}

// ---- File commands -------------------------------------------------------------------------

bool MainWindow::maybeSave()
{
    if (!m_doc.isModified())
        return true;
    switch (m_prompter.askSaveChanges(toStd(documentName()))) {
    case SaveAnswer::Save: return save();
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}

bool MainWindow::newFile()
{
    if (!maybeSave())
        return false;
    m_doc.newDocument();
    const auto& headings = m_settings.headings();
    m_doc.setHeadings(headings[0], headings[1]);
    m_lock.release();
    m_stamp = {};
    m_readOnly = false;
    setCurrentFile(QString());
    return true;
}

bool MainWindow::open()
{
    if (!maybeSave())
        return false;
    const QString dir = m_currentFile.isEmpty() ? QString() : QFileInfo(m_currentFile).absolutePath();
    const QString fileName = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), dir, kFileFilter);
    if (fileName.isEmpty())
        return false;
    return openFile(fileName);
}

std::optional<bool> MainWindow::askToOpen(const QString& fileName)
{
    const std::string path = toPath(QFileInfo(fileName).absoluteFilePath());
    std::string who;
    if (lockHolderOf(path, &who) != LockHolder::Another)
        return false;
    switch (m_prompter.askOpenLocked(toStd(QFileInfo(fileName).fileName()), who)) {
    case LockedAnswer::ReadOnly: return true;
    case LockedAnswer::Edit: return false;
    case LockedAnswer::Cancel: break;
    }
    return std::nullopt;
}

bool MainWindow::openFile(const QString& fileName)
{
    const std::optional<bool> readOnly = askToOpen(fileName);
    if (!readOnly)
        return false;
    // While a large catalogue loads, the fields must not go on describing the one it replaces.
    m_statusBar->setOrientation(QStringLiteral("Loading %1...").arg(QFileInfo(fileName).fileName()),
                                QString());
    if (!adoptFile(m_doc.openFile(toPath(fileName)), fileName, *readOnly)) {
        updateOrientation();
        return false;
    }
    showStatus(openedText(m_doc.albumCount(), toStd(QFileInfo(fileName).fileName())));
    // The albums are open; what the file kept beside them could not be read, and the user hears why.
    if (!m_doc.loadNotice().empty())
        m_prompter.showError(m_doc.loadNotice());
    return true;
}

bool MainWindow::adoptFile(const Status& status, const QString& fileName, bool readOnly)
{
    if (!status) {
        m_prompter.showError(status.error());
        return false;
    }
    const QString absolute = QFileInfo(fileName).absoluteFilePath();
    m_readOnly = readOnly;
    if (readOnly)
        m_lock.release();
    else
        m_lock.take(toPath(absolute));
    m_stamp = stampOf(toPath(absolute));
    setCurrentFile(absolute);
    addRecentFile(m_currentFile);
    return true;
}

void MainWindow::adoptStartupFile(const QString& fileName, bool readOnly)
{
    adoptFile(success(), fileName, readOnly);
}

bool MainWindow::openRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles.size())
        return false;
    const QString fileName = m_recentFiles[index];
    if (!QFileInfo::exists(fileName)) {
        m_prompter.showError("Cannot open \"" + toStd(fileName) +
                             "\". The file no longer exists; it is taken off the recent file list.");
        removeRecentFile(fileName);
        return false;
    }
    if (!maybeSave())
        return false;
    return openFile(fileName);
}

bool MainWindow::save()
{
    if (m_currentFile.isEmpty() || m_readOnly)
        return saveAs();
    return saveFile(m_currentFile);
}

bool MainWindow::saveAs()
{
    QString fileName = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save As"),
        m_currentFile.isEmpty() ? QStringLiteral("Untitled.dcf") : m_currentFile, kFileFilter);
    if (fileName.isEmpty())
        return false;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".dcf");
    return saveFile(fileName);
}

bool MainWindow::saveFile(const QString& fileName)
{
    // Another program (or another Discora) wrote the file since it was opened or saved here: its
    // changes are not lost without a word.
    const bool sameFile = QFileInfo(fileName).absoluteFilePath() == m_currentFile;
    const FileStamp now = sameFile ? stampOf(toPath(fileName)) : FileStamp{};
    if (sameFile && m_stamp.exists && now.exists && now != m_stamp) {
        switch (m_prompter.askOverwriteChanged(toStd(QFileInfo(fileName).fileName()))) {
        case ChangedAnswer::Overwrite: break;
        case ChangedAnswer::SaveElsewhere: return saveAs();
        case ChangedAnswer::Cancel: return false;
        }
    }
    if (!adoptFile(m_doc.saveFile(toPath(fileName)), fileName))
        return false;
    showStatus(savedText(m_doc.albumCount(), toStd(QFileInfo(fileName).fileName())));
    return true;
}

// ---- Recent files --------------------------------------------------------------------------

void MainWindow::addRecentFile(const QString& fileName)
{
    m_recentFiles.removeAll(fileName);
    m_recentFiles.prepend(fileName);
    while (m_recentFiles.size() > kRecentFileCount)
        m_recentFiles.removeLast();
    storeRecentFiles();
}

void MainWindow::removeRecentFile(const QString& fileName)
{
    m_recentFiles.removeAll(fileName);
    storeRecentFiles();
}

void MainWindow::storeRecentFiles()
{
    std::vector<std::string> files;
    for (const QString& f : m_recentFiles)
        files.push_back(toPath(f));
    m_settings.writeRecentFiles(files);
    updateRecentFileActions();
}

void MainWindow::updateRecentFileActions()
{
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* a = action(kRecentFileIds[i]);
        const bool used = i < m_recentFiles.size();
        a->setVisible(used);
        if (used) {
            QString shown = m_recentFiles[i];
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        }
    }
    if (m_noRecentFile)
        m_noRecentFile->setVisible(m_recentFiles.isEmpty());
}

// ---- Window --------------------------------------------------------------------------------

void MainWindow::showWithSavedPlacement()
{
    const SettingsStore& store = m_settings.store();
    const std::string storedRect = store.readString(kWindowSize, "Rect", "");
    WindowPlacement p = placementFromSettings(storedRect, store.readInt(kWindowSize, "Icon", 0),
                                              store.readInt(kWindowSize, "Maximized", 0));
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(toScreenRect(screen->availableGeometry()));
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const ScreenRect primaryRect = toScreenRect(primary->availableGeometry());
        p.normal =
            storedRect.empty() ? firstOpeningRect(primaryRect) : keepOnScreen(p.normal, screens, primaryRect);
    }

    setGeometry(p.normal.left, p.normal.top, p.normal.width(), p.normal.height());
    switch (p.state) {
    case ShowState::Normal: show(); break;
    case ShowState::Maximized: showMaximized(); break;
    case ShowState::Minimized: showMinimized(); break;
    case ShowState::MinimizedFromMaximized:
        setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
        show();
        break;
    }
}

WindowPlacement MainWindow::currentPlacement() const
{
    WindowPlacement p;
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    p.normal = toScreenRect(normal);
    const Qt::WindowStates s = windowState();
    if (s & Qt::WindowMinimized)
        p.state = (s & Qt::WindowMaximized) ? ShowState::MinimizedFromMaximized : ShowState::Minimized;
    else if (s & Qt::WindowMaximized)
        p.state = ShowState::Maximized;
    return p;
}

void MainWindow::savePlacement()
{
    const WindowPlacement p = currentPlacement();
    SettingsStore& store = m_settings.store();
    store.writeString(kWindowSize, "Rect", formatRect(p.normal));
    store.writeInt(kWindowSize, "Icon", iconValue(p.state));
    store.writeInt(kWindowSize, "Maximized", maximizedValue(p.state));
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        emit desktopPaletteChanged();
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    savePlacement();
    storeRecentFiles();
    if (m_helpWindow)
        m_helpWindow->close();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        event->acceptProposedAction();
        // The application the file came from waits until the drop returns, so the save question
        // and the load run once it has.
        const QString fileName = url.toLocalFile();
        QMetaObject::invokeMethod(
            this,
            [this, fileName] {
                activateWindow();
                if (maybeSave())
                    openFile(fileName);
            },
            Qt::QueuedConnection);
        return;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::WindowActivate)
        m_statusBar->updateLockIndicators();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::showHelp()
{
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

} // namespace discora
