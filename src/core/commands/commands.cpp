#include "core/commands/commands.h"

#include "core/layout/columnediting.h"
#include "core/layout/viewlayout.h"

#include <array>
#include <cassert>
#include <utility>

namespace discora {

namespace {

using C = CommandId;

constexpr CommandInfo kCommands[] = {
    {C::New, "&New", "Create a new document\nNew", "Ctrl+N", "new"},
    {C::Open, "&Open...", "Open an existing document\nOpen", "Ctrl+O", "open"},
    {C::Save, "&Save", "Save the active document\nSave", "Ctrl+S", "save"},
    {C::SaveAs, "Save &As...", "Save the active document with a new name\nSave As", "", ""},
    {C::Print, "&Print...", "Print the active document\nPrint", "Ctrl+P", "print"},
    {C::PrintPreview, "Print Pre&view", "Display full pages\nPrint Preview", "", ""},
    {C::PrintSetup, "P&rint Setup...", "Change the printer and printing options\nPrint Setup", "", ""},
    {C::RecentFile1, "", "Open this document", "", ""},
    {C::RecentFile2, "", "Open this document", "", ""},
    {C::RecentFile3, "", "Open this document", "", ""},
    {C::RecentFile4, "", "Open this document", "", ""},
    {C::ExportCsv, "&Comma Separated Volume (csv)",
     "Exports the file to a different format\nExports the file to a different format", "", ""},
    {C::ExportText, "&Doc File (doc)",
     "Exports the file to a different format\nExports the file to a different format", "", ""},
    {C::ExportWebPage, "&Web Page...",
     "Writes the shown albums as a web page with their covers, in a folder\nExport a web page", "", ""},
    {C::ImportCsv, "&Comma Separated Values...",
     "Adds the albums of a comma-separated file\nImport comma-separated values", "", ""},
    {C::ImportAudio, "&Audio Files Folder...",
     "Adds the albums of the audio files in a folder\nImport a folder of audio files", "", ""},
    {C::Exit, "E&xit", "Quit the application; prompts to save documents\nExit", "", ""},
    {C::Undo, "&Undo", "Undo the last action\nUndo", "Ctrl+Z", ""},
    {C::Redo, "&Redo", "Redo the last action undone\nRedo", "", ""},
    {C::Delete, "&Delete", "Deletes the selected entries\nDeletes the selected entries", "Ctrl+D", "delete"},
    {C::Enter, "&Enter...", "Enter a new album\nEnter a new Album", "Ctrl+E", "enter"},
    {C::Modify, "&Modify", "Modifies the selected entries\nModifies the selected entries", "Ctrl+M",
     "modify"},
    {C::SelectAll, "&Select/Unselect All", "Select/Unselect All Albums\nSelect/Unselect All Albums", "", ""},
    {C::Find, "&Find", "Find the specified text\nFind", "", ""},
    {C::EditCustomHeadings, "Edit Custom &Headings", "Edit Custom Headings\nEdit Custom Headings", "", ""},
    {C::ToggleToolBar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", "", ""},
    {C::ToggleStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", "", ""},
    {C::Options, "&Options...", "Changes Program Options\nChanges Program Options", "", ""},
    {C::ViewNormal, "&Normal", "Displays all available info\nDisplays all available info", "", "view-normal"},
    {C::ViewSingleLine, "&Single Line Sorts",
     "Displays Normal Sorts in a Single Line\nDisplays Normal Sorts in a Single Line", "",
     "view-single-line"},
    {C::ViewCovers, "&Covers", "Displays the albums as a grid of their front covers\nCovers", "Ctrl+Shift+C",
     "view-covers"},
    {C::GoTo, "&Go To...", "Go to a particular record\nGo to a particular record", "", "goto"},
    {C::Filters, "&Filters", "Changes the Filters\nChanges the Filters", "", "filters"},
    {C::WantList, "&Want List", "Shows only the albums wanted or on order\nWant List", "Ctrl+Shift+W", ""},
    {C::Statistics, "St&atistics...", "Shows the figures and charts of the albums shown\nStatistics", "", ""},
    {C::SortByArtist, "&All info", "Sort list by Artist/Group\nSorts list by Artist/Group", "",
     "sort-artist"},
    {C::SortByArtistShort, "Artist - &Short List",
     "Sorts by Artist - Short List\nSorts by Artist - Short List", "", "sort-artist-short"},
    {C::SortByAlbumName, "Sort by Album &Name", "Sorts list by Album Name\nSorts list by Album Name", "",
     "sort-album-name"},
    {C::SortByCatalogNumber, "Sort by &Catalog Number", "Sort by Catalog Number\nSort by Catalog Number", "",
     ""},
    {C::SortByCustom1, "Sort by Custom &1", "Sort by Custom 1\nSort by Custom 1", "", ""},
    {C::SortByCustom2, "Sort by Custom &2", "Sort by Custom2\nSort by Custom 2", "", ""},
    {C::SortByLabel, "Sort by &Label", "Sort by Label\nSort by Label", "", ""},
    {C::SortByMediaType, "Sort by &Media Type", "Sorts list by Media type\nSorts list by Media type", "",
     "sort-media-type"},
    {C::SortByMusicType, "Sort by Music &Type", "Sorts list by Music Type\nSorts list by Music Type", "",
     "sort-music-type"},
    {C::SortByNumber, "Sort by N&umber", "Sorts by number\nSorts by number", "", "sort-number"},
    {C::SortByPerformer, "Sort by Per&former", "Sort by Performer\nSort by Performer", "", ""},
    {C::SortByProducer, "Sort by &Producer", "Sorts by the Producer\nSorts by the Producer", "",
     "sort-producer"},
    {C::SortByQuality, "Sort by &Quality", "Sort by the Quality field\nSort by the Quality field", "", ""},
    {C::SortBySong, "&Song, Track #, Artist, Album #", "Sorts list by Song Title\nSorts list by Song Title",
     "", "sort-songs"},
    {C::SortBySongDetail, "Song, Artist, Album Name, &Catalog #, Label - 6 lines",
     "Sort by Song Title\nSort by Song Title", "", ""},
    {C::HelpTopics, "&Help Topics", "List Help topics\nHelp Topics", "", ""},
    {C::Help, "Help", "Display help for current task or command\nHelp", "F1", ""},
    {C::ContextHelp, "What's This?", "Display help for clicked on buttons, menus and windows\nHelp",
     "Shift+F1", "context-help"},
    {C::About, "&About Discora...", "Display program information, version number and copyright\nAbout", "",
     "about"},
    {C::Play, "Play", "Plays song or CD\nPlays song or CD", "", "play"},
    {C::AddField, "Add a new field", "Add a new field\nAdd a new field", "", ""},
    {C::RemoveField, "Remove Field", "Removes the selected field\nRemoves the selected field", "", ""},
};

// The command that sorts by each order, indexed by SortOrder.
struct SortCommand
{
    SortOrder order;
    CommandId command;
};
constexpr std::array<SortCommand, kSortOrderCount> kSortCommands = {{
    {SortOrder::ByArtist, C::SortByArtist},
    {SortOrder::ByArtistShort, C::SortByArtistShort},
    {SortOrder::ByAlbumName, C::SortByAlbumName},
    {SortOrder::ByCatalogNumber, C::SortByCatalogNumber},
    {SortOrder::ByCustom1, C::SortByCustom1},
    {SortOrder::ByCustom2, C::SortByCustom2},
    {SortOrder::ByLabel, C::SortByLabel},
    {SortOrder::ByMediaType, C::SortByMediaType},
    {SortOrder::ByMusicType, C::SortByMusicType},
    {SortOrder::ByNumber, C::SortByNumber},
    {SortOrder::ByPerformer, C::SortByPerformer},
    {SortOrder::ByProducer, C::SortByProducer},
    {SortOrder::ByQuality, C::SortByQuality},
    {SortOrder::BySong, C::SortBySong},
    {SortOrder::BySongDetail, C::SortBySongDetail},
}};
static_assert(
    [] {
        for (int i = 0; i < kSortOrderCount; ++i)
            if (static_cast<int>(kSortCommands[i].order) != i)
                return false;
        return true;
    }(),
    "kSortCommands is indexed by SortOrder");

constexpr MenuItem cmd(CommandId id)
{
    return {MenuItemKind::Command, id, {}, {}};
}
constexpr MenuItem cmd(CommandId id, std::string_view text)
{
    return {MenuItemKind::Command, id, text, {}};
}
constexpr MenuItem kSep{MenuItemKind::Separator, {}, {}, {}};
constexpr MenuItem sub(std::string_view title, std::span<const MenuItem> items)
{
    return {MenuItemKind::Submenu, {}, title, items};
}

constexpr MenuItem kImportMenu[] = {cmd(C::ImportCsv), cmd(C::ImportAudio)};
constexpr MenuItem kExportMenu[] = {cmd(C::ExportCsv), cmd(C::ExportText), cmd(C::ExportWebPage)};
constexpr MenuItem kFileMenu[] = {
    cmd(C::New),
    cmd(C::Open),
    cmd(C::Save),
    cmd(C::SaveAs),
    kSep,
    cmd(C::Print),
    cmd(C::PrintPreview),
    cmd(C::PrintSetup),
    kSep,
    {MenuItemKind::RecentFiles, {}, {}, {}},
    kSep,
    sub("&Import", kImportMenu),
    sub("&Export", kExportMenu),
    kSep,
    cmd(C::Exit),
};
constexpr MenuItem kEditMenu[] = {
    cmd(C::Undo), cmd(C::Redo),      kSep, cmd(C::Delete), cmd(C::Enter), cmd(C::Modify),
    kSep,         cmd(C::SelectAll), kSep, cmd(C::Find),   kSep,          cmd(C::EditCustomHeadings),
};
constexpr MenuItem kSortArtistMenu[] = {cmd(C::SortByArtist), cmd(C::SortByArtistShort)};
constexpr MenuItem kSortSongsMenu[] = {cmd(C::SortBySong), cmd(C::SortBySongDetail)};
constexpr MenuItem kSortMenu[] = {
    sub("Sort by &Artist", kSortArtistMenu),
    cmd(C::SortByAlbumName),
    cmd(C::SortByCatalogNumber),
    cmd(C::SortByCustom1),
    cmd(C::SortByCustom2),
    cmd(C::SortByLabel),
    cmd(C::SortByMediaType),
    cmd(C::SortByMusicType),
    cmd(C::SortByNumber),
    cmd(C::SortByPerformer),
    cmd(C::SortByProducer),
    cmd(C::SortByQuality),
    sub("Sort by &Songs", kSortSongsMenu),
};
constexpr MenuItem kViewByMenu[] = {cmd(C::ViewNormal), cmd(C::ViewSingleLine), cmd(C::ViewCovers)};
constexpr MenuItem kViewMenu[] = {
    cmd(C::ToggleToolBar), cmd(C::ToggleStatusBar),      kSep,         sub("So&rt", kSortMenu),
    cmd(C::Options),       sub("&View by", kViewByMenu), cmd(C::GoTo), cmd(C::Filters),
    cmd(C::WantList),      cmd(C::Statistics),
};
constexpr MenuItem kHelpMenu[] = {cmd(C::HelpTopics), kSep, cmd(C::About)};

constexpr MenuDef kMainMenu[] = {
    {"&File", kFileMenu}, {"&Edit", kEditMenu}, {"&View", kViewMenu}, {"&Help", kHelpMenu}};

constexpr MenuItem kContextMenu[] = {
    cmd(C::Delete, "Delete "), cmd(C::Modify, "Modify"), cmd(C::SelectAll, "Select/Unselect All"),
    cmd(C::Undo, "Undo"),      cmd(C::Find, "Find"),
};
constexpr MenuItem kFieldsMenu[] = {cmd(C::RemoveField), cmd(C::AddField)};

constexpr std::optional<CommandId> kToolbar[] = {
    C::New,
    C::Open,
    C::Save,
    C::Print,
    std::nullopt,
    C::Enter,
    C::Delete,
    C::Modify,
    std::nullopt,
    C::ViewNormal,
    C::ViewSingleLine,
    C::ViewCovers,
    std::nullopt,
    C::SortByArtist,
    C::SortByArtistShort,
    C::SortByAlbumName,
    C::SortByMediaType,
    C::SortByMusicType,
    C::SortByNumber,
    C::SortBySong,
    C::SortByProducer,
    std::nullopt,
    C::About,
    C::ContextHelp,
    std::nullopt,
    C::Play,
    std::nullopt,
    C::GoTo,
    C::Filters,
};

constexpr std::string_view kUndoShortcuts[] = {"Alt+Backspace"};
// Redo's key on many desktops, beside the standard Ctrl+Shift+Z; no other command takes it.
constexpr std::string_view kRedoShortcuts[] = {"Ctrl+Y"};
// Play is on the toolbar alone; these keys are its way from the keyboard.
constexpr std::string_view kPlayShortcuts[] = {"Ctrl+Shift+P", "Media Play"};

constexpr std::pair<CommandId, StandardKey> kStandardKeys[] = {
    {C::New, StandardKey::New},       {C::Open, StandardKey::Open},
    {C::Save, StandardKey::Save},     {C::SaveAs, StandardKey::SaveAs},
    {C::Print, StandardKey::Print},   {C::Exit, StandardKey::Quit},
    {C::Undo, StandardKey::Undo},     {C::Redo, StandardKey::Redo},
    {C::Delete, StandardKey::Delete}, {C::SelectAll, StandardKey::SelectAll},
    {C::Find, StandardKey::Find},     {C::HelpTopics, StandardKey::HelpContents},
};

} // namespace

std::span<const std::string_view> moreShortcuts(CommandId id)
{
    if (id == C::Undo)
        return kUndoShortcuts;
    if (id == C::Redo)
        return kRedoShortcuts;
    if (id == C::Play)
        return kPlayShortcuts;
    return {};
}

StandardKey standardKeyOf(CommandId id)
{
    for (const auto& [command, key] : kStandardKeys)
        if (command == id)
            return key;
    return StandardKey::None;
}

std::string menuTextOf(CommandId id, const UiState& state)
{
    std::string text(commandInfo(id).menuText);
    const std::string& name = id == C::Undo ? state.undoName : id == C::Redo ? state.redoName : std::string();
    if ((id == C::Undo && state.canUndo) || (id == C::Redo && state.canRedo))
        if (!name.empty())
            text += ' ' + name;
    return text;
}

std::span<const CommandInfo> allCommands()
{
    return kCommands;
}

const CommandInfo& commandInfo(CommandId id)
{
    for (const CommandInfo& c : kCommands)
        if (c.id == id)
            return c;
    assert(false && "every command is in the table");
    return kCommands[0];
}

std::optional<SortOrder> sortOrderOf(CommandId id)
{
    for (const SortCommand& c : kSortCommands)
        if (c.command == id)
            return c.order;
    return std::nullopt;
}

CommandId sortCommandOf(SortOrder order)
{
    return kSortCommands[static_cast<int>(order)].command;
}

std::span<const MenuDef> mainMenu()
{
    return kMainMenu;
}

std::span<const MenuItem> viewContextMenu()
{
    return kContextMenu;
}

std::span<const MenuItem> fieldsMenu()
{
    return kFieldsMenu;
}

std::span<const std::optional<CommandId>> toolbarButtons()
{
    return kToolbar;
}

bool isCheckable(CommandId id)
{
    return sortOrderOf(id).has_value() || id == C::ToggleToolBar || id == C::ToggleStatusBar ||
           id == C::ViewNormal || id == C::ViewSingleLine || id == C::ViewCovers || id == C::WantList;
}

CommandStatus commandStatus(CommandId id, const UiState& s)
{
    if (const auto order = sortOrderOf(id)) {
        const bool enabled = isAlbumOrder(*order)
                                 ? s.displayedCount > 1
                                 : s.displayedCount >= 2 && s.viewStyle != ViewStyle::SingleLineSorts;
        return {enabled, s.currentOrder == *order};
    }
    switch (id) {
    case C::ToggleToolBar: return {true, s.toolBarVisible};
    case C::ToggleStatusBar: return {true, s.statusBarVisible};
    case C::ViewNormal: return {s.albumCount > 0, s.viewStyle == ViewStyle::Normal};
    case C::ViewSingleLine: return {s.albumCount > 0, s.viewStyle == ViewStyle::SingleLineSorts};
    case C::ViewCovers: return {s.albumCount > 0, s.viewStyle == ViewStyle::Covers};
    case C::SelectAll:
    case C::GoTo: return {s.entryCount > 0, false};
    case C::AddField:
        return {canAddColumn(layoutKindOf(s.currentOrder, s.viewStyle), s.columnCount, s.clickedColumn)};
    case C::RemoveField:
        return {canRemoveColumn(layoutKindOf(s.currentOrder, s.viewStyle), s.columnCount, s.clickedColumn)};
    case C::Enter:
    case C::ImportCsv:
    case C::ImportAudio: return {s.readyForEntry, false};
    case C::Undo: return {s.canUndo, false};
    case C::Redo: return {s.canRedo, false};
    case C::Modify:
    case C::Delete: return {s.anySelected && s.displayedCount > 0, false};
    case C::Find: return {s.findEnabled, false};
    case C::ExportCsv:
    case C::ExportText:
    case C::ExportWebPage: return {s.displayedCount != 0, false};
    case C::Filters: return {s.albumCount != 0, false};
    // Once on, it can always be turned off again, even when no album is left.
    case C::Statistics: return {s.albumCount != 0, false};
    case C::WantList: return {s.albumCount != 0 || s.wantListShown, s.wantListShown};
    case C::Play: return {!s.playerOpen, false};
    default: return {true, false};
    }
}

} // namespace discora
