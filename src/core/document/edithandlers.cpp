#include "core/document/edithandlers.h"

#include "core/document/albumeditor.h"
#include "core/document/cataloguedocument.h"
#include "core/document/playertimessource.h"
#include "core/document/prompter.h"
#include "core/order/orderentries.h"

#include <algorithm>

namespace discora {

namespace {

// The selection in display order, each position once.
std::vector<int> inDisplayOrder(std::span<const int> positions)
{
    std::vector<int> sorted(positions.begin(), positions.end());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    return sorted;
}

} // namespace

AlbumRecord enterPresets(int albumCount, const std::array<std::string, kSongSlots>& playerTimes,
                         bool autoLoad, std::string_view mediaType)
{
    AlbumRecord preset;
    preset.number = std::to_string(albumCount + 1);
    preset.mediaType = mediaType;
    for (int k = 1; k <= kSongSlots; ++k) {
        Song& song = preset.songs[k - 1];
        song.trackNumber = presetTrackNumber(k);
        if (autoLoad)
            song.time = playerTimes[k - 1];
    }
    return preset;
}

std::string deleteQuestion(std::string_view artist, std::string_view albumName)
{
    std::string question = "Are you sure you want to delete ";
    question += artist;
    question += " - ";
    question += albumName;
    question += '?';
    return question;
}

EditHandlers::EditHandlers(CatalogueDocument& doc, Prompter& prompter, AlbumEditor& editor)
    : m_doc(doc), m_prompter(prompter), m_editor(editor)
{}

std::array<std::string, kSongSlots> EditHandlers::playerTimes() const
{
    std::array<std::string, kSongSlots> times;
    if (m_playerTimesSource)
        m_playerTimesSource->fillPlayerTimes(times);
    return times;
}

void EditHandlers::report(const std::string& error)
{
    if (!error.empty())
        m_prompter.showError(error);
}

bool EditHandlers::enter()
{
    const AlbumRecord preset = enterPresets(m_doc.albumCount(), playerTimes(),
                                            m_doc.viewOptions().on(ViewOption::AutoLoad), m_sheetMediaType);
    std::optional<AlbumRecord> entered = m_editor.editAlbum(preset, m_doc.headings());
    if (!entered)
        return false;
    m_sheetMediaType = entered->mediaType;
    const auto outcome = m_doc.enterAlbum(std::move(*entered));
    report(outcome.error);
    return outcome.changed > 0;
}

int EditHandlers::modify(std::span<const int> selectedPositions)
{
    std::vector<std::uint32_t> albums;
    for (int p : inDisplayOrder(selectedPositions))
        if (const auto album = albumOfEntry(m_doc, p))
            albums.push_back(*album);
    const auto outcome = m_doc.modifyAlbums(albums, [this](const AlbumRecord& before) {
        std::optional<AlbumRecord> edited = m_editor.editAlbum(before, m_doc.headings());
        m_sheetMediaType = edited ? edited->mediaType : before.mediaType;
        return edited;
    });
    report(outcome.error);
    return outcome.changed;
}

int EditHandlers::deleteAlbums(std::span<const int> selectedPositions)
{
    const auto count = static_cast<std::size_t>(m_doc.albumCount());
    // Several entries of a derived list may stand for one album; it is asked about once.
    std::vector<bool> decided(count, false);
    std::vector<std::uint32_t> confirmed;
    DeleteAnswer mode = DeleteAnswer::No;
    for (int p : inDisplayOrder(selectedPositions)) {
        if (mode == DeleteAnswer::NoToAll)
            break;
        const auto album = albumOfEntry(m_doc, p);
        if (!album || *album >= count || decided[*album])
            continue;
        decided[*album] = true;
        const int a = static_cast<int>(*album);
        if (mode == DeleteAnswer::Yes || mode == DeleteAnswer::No)
            mode = m_prompter.askDeleteAlbum(
                deleteQuestion(m_doc.text(Field::Artist, a), m_doc.text(Field::AlbumName, a)));
        if (mode == DeleteAnswer::Yes || mode == DeleteAnswer::YesToAll)
            confirmed.push_back(*album);
    }
    const auto outcome = m_doc.deleteAlbums(confirmed);
    report(outcome.error);
    return outcome.changed;
}

bool EditHandlers::undo()
{
    if (!m_doc.canUndo())
        return false;
    const auto outcome = m_doc.undo();
    report(outcome.error);
    return true;
}

bool EditHandlers::redo()
{
    if (!m_doc.canRedo())
        return false;
    const auto outcome = m_doc.redo();
    report(outcome.error);
    return true;
}

} // namespace discora
