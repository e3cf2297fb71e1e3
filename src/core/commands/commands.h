// The command vocabulary: every user action as a numbered command with its menu text, status
// prompt, shortcut, icon and the object that handles it, and the rules that enable and check it.
// The main window makes its actions, menus and toolbar from these tables.
#pragma once

#include "core/view/sortorder.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace discora {

enum class CommandId : int
{
    New = 57600,
    Open = 57601,
    Save = 57603,
    SaveAs = 57604,
    PrintSetup = 57606,
    Print = 57607,
    PrintPreview = 57609,
    RecentFile1 = 57616,
    RecentFile2 = 57617,
    RecentFile3 = 57618,
    RecentFile4 = 57619,
    Find = 57636,
    Undo = 57643,
    Redo = 57644,
    About = 57664,
    Exit = 57665,
    HelpTopics = 57667,
    ContextHelp = 57669,
    Help = 57670,
    ToggleToolBar = 59392,
    ToggleStatusBar = 59393,
    Enter = 32771,
    Modify = 32776,
    Delete = 32777,
    SortByArtist = 32778,
    SortByAlbumName = 32779,
    SortByMediaType = 32780,
    SortByMusicType = 32781,
    SortByNumber = 32782,
    SortBySong = 32783,
    ViewNormal = 32784,
    ViewSingleLine = 32785,
    SelectAll = 32797,
    SortByProducer = 32800,
    SortByArtistShort = 32803,
    Options = 32804,
    Play = 32805,
    GoTo = 32806,
    SortBySongDetail = 32808,
    SortByPerformer = 32810,
    SortByCatalogNumber = 32812,
    SortByLabel = 32813,
    EditCustomHeadings = 32814,
    SortByCustom1 = 32815,
    SortByCustom2 = 32816,
    Filters = 32820,
    SortByQuality = 32821,
    RemoveField = 32823,
    AddField = 32824,
    ExportCsv = 32825,
    ExportText = 32826,
    ImportCsv = 32827,
    ImportAudio = 32828,
    WantList = 32829,
    Statistics = 32838,
    ViewCovers = 32831,
    ExportWebPage = 32835,
};

struct CommandInfo
{
    CommandId id;
    std::string_view menuText; // with its mnemonic
    std::string_view prompt;   // status text, line feed, tooltip
    std::string_view shortcut; // portable key sequence text, or empty
    std::string_view icon;     // icon resource name, or empty

    std::string_view statusText() const { return prompt.substr(0, prompt.find('\n')); }
    std::string_view tooltip() const
    {
        const auto lf = prompt.find('\n');
        return lf == std::string_view::npos ? prompt : prompt.substr(lf + 1);
    }
};

std::span<const CommandInfo> allCommands();
const CommandInfo& commandInfo(CommandId id);

// Our own accelerators of a command beyond CommandInfo::shortcut (Undo's Alt+Backspace, Play's keys).
std::span<const std::string_view> moreShortcuts(CommandId id);

// The desktop's standard keys a command also answers to, named after the platform's list; the
// window adds each key the desktop binds to it unless one of our own accelerators already uses it.
enum class StandardKey
{
    None,
    New,
    Open,
    Save,
    SaveAs,
    Print,
    Quit,
    Undo,
    Redo,
    Delete,
    SelectAll,
    Find,
    HelpContents,
};
StandardKey standardKeyOf(CommandId id);

// The order a sort command selects, if it is one.
std::optional<SortOrder> sortOrderOf(CommandId id);
CommandId sortCommandOf(SortOrder order);

// Main menu structure. A menu is a sequence of items; Submenu items name another menu.
enum class MenuItemKind
{
    Command,
    Separator,
    Submenu,
    RecentFiles
};

struct MenuItem
{
    MenuItemKind kind;
    CommandId command{};             // Command
    std::string_view title;          // Submenu title; or the text of a command where it differs
    std::span<const MenuItem> items; // Submenu
};

struct MenuDef
{
    std::string_view title;
    std::span<const MenuItem> items;
};

std::span<const MenuDef> mainMenu();
// The view's context menu and the column heading's menu ("Fields").
std::span<const MenuItem> viewContextMenu();
std::span<const MenuItem> fieldsMenu();
// Toolbar buttons in order; nothing stands for a separator.
std::span<const std::optional<CommandId>> toolbarButtons();

// A snapshot of everything the update rules read.
struct UiState
{
    int albumCount = 0;
    int displayedCount = 0;
    SortOrder currentOrder = SortOrder::ByArtist;
    ViewStyle viewStyle = ViewStyle::Normal;
    bool readyForEntry = false;
    bool canUndo = false;
    bool canRedo = false;
    // What Undo and Redo would take back or put back, as the Edit menu names it.
    std::string undoName;
    std::string redoName;
    bool anySelected = false;
    bool findEnabled = false;
    // From the catalogue view: entries of the current order, and the column clicked last on the
    // heading row of a column list with the number of its occupied slots.
    int entryCount = 0;
    int columnCount = 0;
    int clickedColumn = 0;
    bool toolBarVisible = true;
    bool statusBarVisible = true;
    bool playerOpen = false;    // the CD player's window exists
    bool wantListShown = false; // the Status filter keeps the albums wanted or on order
};

struct CommandStatus
{
    bool enabled = true;
    bool checked = false;
};

// The update rule of a command. The window also disables a command that has no handler yet.
CommandStatus commandStatus(CommandId id, const UiState& state);
bool isCheckable(CommandId id);
// The menu text of a command in a state: Undo and Redo name the change, "&Undo Delete 3 Albums".
std::string menuTextOf(CommandId id, const UiState& state);

} // namespace discora
