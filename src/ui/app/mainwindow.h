// The single top-level window: makes the actions, menus and toolbar from the command table,
// refreshes them from one snapshot of the state, and runs the file commands.
#pragma once

#include "core/commands/handlerregistry.h"
#include "core/document/cataloguedocument.h"
#include "core/fileformat/cataloguelock.h"
#include "core/settings/windowplacement.h"
#include "ui/app/inputhold.h"
#include "ui/support/taskrunner.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class QMenu;
class QToolBar;

namespace discora {

class AppSettings;
class CatalogueView;
class InputHold;
class MainStatusBar;
class ViewHandlers;
class Prompter;
class StatisticsHandlers;
class HelpWindow;

class MainWindow : public QMainWindow, public DocumentObserver, public HandlerRegistry
{
    Q_OBJECT
public:
    MainWindow(CatalogueDocument& doc, AppSettings& settings, Prompter& prompter, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The file commands; each returns false when the user cancelled or the command failed.
    bool newFile();
    bool open();
    bool openFile(const QString& fileName);
    bool openRecentFile(int index);
    bool save();
    bool saveAs();
    bool saveFile(const QString& fileName);
    // Asks to save a modified catalogue; false means stay (Cancel, or the save failed).
    bool maybeSave();

    QString currentFile() const { return m_currentFile; }
    // Records the file the document was opened from at start-up; like any opened file it becomes
    // the most recent one, so the last-file rule finds it next time.
    void adoptStartupFile(const QString& fileName, bool readOnly = false);
    // Before a catalogue is opened: when another Discora has it open, the user is asked whether
    // to open it read-only. Nothing when it is not to be opened; else whether read-only.
    std::optional<bool> askToOpen(const QString& fileName);
    // Opened read-only: Save asks for another file, and no lock marks the catalogue.
    bool isReadOnly() const { return m_readOnly; }
    QStringList recentFiles() const { return m_recentFiles; }

    // Commands: an owner registers the handler of each command it implements. A command without a
    // handler stays disabled.
    void setHandler(CommandId id, std::function<void()> handler) override;
    void refreshCommands() override { refreshActions(); }
    bool hasHandler(CommandId id) const { return m_handlers.count(id) != 0; }
    void runCommand(CommandId id) override;
    QAction* action(CommandId id) const;
    // Recomputes every action's enabled and checked state.
    void refreshActions();
    UiState uiState() const;
    // The view's context menu and the column menu, made from the table.
    QMenu* createContextMenu(QWidget* parent);
    QMenu* createFieldsMenu(QWidget* parent);

    // Restores the saved placement and shows the window; saves it when the window closes.
    void showWithSavedPlacement();
    WindowPlacement currentPlacement() const;
    void savePlacement();

    CatalogueView* view() const { return m_view; }
    ViewHandlers& viewHandlers() const { return *m_viewHandlers; }
    MainStatusBar* mainStatusBar() const { return m_statusBar; }
    // Long work beside the window: an order whose sorting or list is built on a thread of its own.
    TaskRunner& taskRunner() const { return *m_tasks; }
    // Orders of at least this many displayed albums are worked out beside the window; smaller
    // ones at once.
    void setLongOrderFrom(int albums) { m_longOrderFrom = albums; }
    int longWorkFrom() const { return m_longOrderFrom; }
    // Other long work that reads the document beside the window, such as the statistics: the input
    // that comes meanwhile is held until done has been given the result.
    template <class Result>
    void runBeside(std::function<Result(ProgressSink*)> work, std::function<void(TaskResult<Result>)> done)
    {
        m_hold->engage();
        m_tasks->start<Result>(std::move(work), std::move(done));
        refreshActions();
    }
    StatisticsHandlers& statisticsHandlers() const { return *m_statisticsHandlers; }
    QToolBar* toolBar() const { return m_toolBar; }

    // DocumentObserver
    void documentUpdated() override;
    void headingsChanged() override;
    // A file command's account in the status bar's message pane.
    void showStatus(const std::string& text);
    void modifiedChanged(bool modified) override;

signals:
    // The desktop's colours changed (a light or dark theme chosen while Discora runs).
    void desktopPaletteChanged();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void updateActionTexts(const UiState& state);
    void createMenus();
    void fillMenu(QMenu* menu, std::span<const MenuItem> items);
    QAction* makeContextAction(const MenuItem& item, QObject* parent);
    void createToolBar();
    void registerHandlers();
    void registerOrderHandlers();
    // An order's command: at once, or beside the window, the input that comes meanwhile held.
    void runOrder(SortOrder order);
    void orderBuilt(TaskResult<OrderResult> result);
    // Shows what went wrong, if anything.
    void report(const Status& status);
    // After an open or a save: reports a failure, or makes the file current and most recent.
    bool adoptFile(const Status& status, const QString& fileName, bool readOnly = false);
    void setCurrentFile(const QString& fileName);
    void updateTitle();
    void updateOrientation();
    void updateRecentFileActions();
    void addRecentFile(const QString& fileName);
    void removeRecentFile(const QString& fileName);
    void storeRecentFiles();
    QString documentName() const;
    void showAbout();
    void showHelp();

    CatalogueDocument& m_doc;
    AppSettings& m_settings;
    Prompter& m_prompter;
    CatalogueView* m_view = nullptr;
    ViewHandlers* m_viewHandlers = nullptr;
    StatisticsHandlers* m_statisticsHandlers = nullptr;
    MainStatusBar* m_statusBar = nullptr;
    TaskRunner* m_tasks = nullptr;
    InputHold* m_hold = nullptr;
    int m_longOrderFrom = 20000;
    // Commands that came while an order was built beside the window (a screen reader's, or a
    // shortcut's): run in turn once it is in place.
    std::vector<CommandId> m_heldCommands;
    QToolBar* m_toolBar = nullptr;
    HelpWindow* m_helpWindow = nullptr;
    QAction* m_noRecentFile = nullptr;
    std::map<CommandId, QAction*> m_actions;
    // Actions of the context and column menus: the same commands under their own texts.
    std::vector<std::pair<CommandId, QAction*>> m_extraActions;
    std::map<CommandId, std::function<void()>> m_handlers;
    QString m_currentFile;
    bool m_readOnly = false;
    CatalogueLock m_lock;
    FileStamp m_stamp; // the current file as last opened or saved
    // The Undo and Redo texts the menu shows.
    std::string m_shownUndoText;
    std::string m_shownRedoText;
    QStringList m_recentFiles;
};

} // namespace discora
