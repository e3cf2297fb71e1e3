// Enter, Modify, Delete and Undo as the user runs them: the entry sheet and the user's answers
// supply the input, the document makes the change, and memory trouble is reported here.
#pragma once

#include "core/model/albumrecord.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class AlbumEditor;
class CatalogueDocument;
class PlayerTimesSource;
class Prompter;

// What the sheet shows for a new album: the number is the album count plus one, the track numbers
// run "01" to "26", the song times are the player's when autoLoad is on, and the media type is the
// one the sheet held when it last closed. Every other text is empty.
AlbumRecord enterPresets(int albumCount, const std::array<std::string, kSongSlots>& playerTimes,
                         bool autoLoad, std::string_view mediaType);

// "Are you sure you want to delete ARTIST - ALBUM?"
std::string deleteQuestion(std::string_view artist, std::string_view albumName);

class EditHandlers
{
public:
    EditHandlers(CatalogueDocument& doc, Prompter& prompter, AlbumEditor& editor);
    void setPlayerTimesSource(PlayerTimesSource* source) { m_playerTimesSource = source; }

    // Shows the sheet with the presets and adds the album on OK. True when an album was added.
    bool enter();
    // The selection is given as positions in the current order's entries. Modify shows the sheet
    // once per selected entry, in display order, and returns how many sheets were confirmed.
    int modify(std::span<const int> selectedPositions);
    // Asks about each selected album once and removes those confirmed; returns how many.
    int deleteAlbums(std::span<const int> selectedPositions);
    // Reverses the latest change in the history; Redo puts back the latest one undone. False
    // when there is nothing to undo or redo.
    bool undo();
    bool redo();

    // The media type the sheet held when it last closed; the next Enter offers it again.
    const std::string& sheetMediaType() const { return m_sheetMediaType; }

private:
    // The times of the disc in the player, asked afresh each time.
    std::array<std::string, kSongSlots> playerTimes() const;
    void report(const std::string& error);

    CatalogueDocument& m_doc;
    Prompter& m_prompter;
    AlbumEditor& m_editor;
    PlayerTimesSource* m_playerTimesSource = nullptr;
    std::string m_sheetMediaType;
};

} // namespace discora
