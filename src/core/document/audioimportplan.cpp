#include "core/document/audioimportplan.h"

#include "core/base/cp1252.h"
#include "core/base/filebytes.h"
#include "core/import/audiofilereader.h"
#include "core/import/coverimage.h"
#include "core/import/csvreader.h"
#include "core/model/headings.h"

#include <filesystem>
#include <unordered_set>

namespace discora {

namespace {

std::string albumKey(std::string_view artist, std::string_view name)
{
    std::string key = cp1252::foldCase(artist);
    key += '\0';
    key += cp1252::foldCase(name);
    return key;
}

} // namespace

void markAlbumsInCatalogue(const Catalogue& catalogue, std::vector<AudioAlbum>& albums)
{
    std::unordered_set<std::string> wanted;
    for (const AudioAlbum& album : albums)
        wanted.insert(albumKey(album.artist, album.name()));
    std::unordered_set<std::string> present;
    for (int a = 0; a < catalogue.albumCount(); ++a) {
        std::string key = albumKey(catalogue.text(Field::Artist, a), catalogue.text(Field::AlbumName, a));
        if (wanted.contains(key))
            present.insert(std::move(key));
    }
    for (AudioAlbum& album : albums) {
        album.inCatalogue = present.contains(albumKey(album.artist, album.name()));
        album.chosen = !album.inCatalogue;
    }
}

Result<AudioImportPlan> planAudioImport(const CatalogueDocument& doc, const std::string& folder,
                                        AudioScan scan, std::span<const TagAssignment> assignments)
{
    if (scan.cancelled)
        return Error{cannotImport(folder, "The import was cancelled.")};
    if (scan.tracks.empty()) {
        if (scan.unreadable.empty())
            return Error{cannotImport(folder, kAudioFolderEmpty)};
        const AudioScanProblem& first = scan.unreadable.front();
        return Error{cannotImport(folder, "No audio file could be read; \"" + first.file + "\" is " +
                                              first.reason + ".")};
    }
    AudioImportPlan plan;
    plan.folder = folder;
    plan.options.mapping = AudioTagMapping::withDefaults(withDefaultHeadings(doc.headings()));
    for (const auto& [tag, field] : assignments)
        plan.options.mapping.assign(tag, field);
    plan.albums = groupAudioAlbums(scan);
    markAlbumsInCatalogue(doc, plan.albums);
    plan.scan = std::move(scan);
    return plan;
}

AudioImportOutcome applyAudioImport(CatalogueDocument& doc, const AudioImportPlan& plan)
{
    AudioImportOutcome outcome;
    AudioImportReport& report = outcome.report;
    std::vector<AudioAlbum> chosen;
    for (const AudioAlbum& album : plan.albums) {
        if (!album.chosen) {
            ++report.notChosen;
            report.inCatalogue += album.inCatalogue ? 1 : 0;
            continue;
        }
        chosen.push_back(album);
        report.songs += static_cast<int>(album.tracks.size());
        if (album.droppedTracks > 0) {
            ++report.shortened;
            report.droppedSongs += album.droppedTracks;
        }
    }
    report.otherFiles = plan.scan.otherFiles;
    report.unreadable = plan.scan.unreadableFiles();
    report.unreadableFolders = plan.scan.unreadableFolders();
    report.skipped = plan.scan.unreadable;
    report.loops = plan.scan.loops;
    AlbumStore records = audioAlbumRecords(plan.scan, chosen, plan.options, doc.albumCount(), doc.progress());
    // Each album's front cover: the one its first file holds, else a picture in its folder.
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (chosen[i].tracks.empty())
            continue;
        const AudioTrack& first = plan.scan.tracks[static_cast<std::size_t>(chosen[i].tracks.front())];
        const std::filesystem::path folder = std::filesystem::path(plan.folder) / first.folder;
        std::string picture = readFrontCover((folder / first.fileName).string());
        if (picture.empty())
            if (const auto image = folderCoverImage(folder.string(), chosen[i].name()))
                if (auto bytes = readWholeFile(*image))
                    picture = std::move(*bytes);
        if (picture.empty())
            continue;
        // A picture that is not one (or too large to keep) is passed over; the album comes in.
        if (const auto name = doc.addCoverImage(picture))
            records.setText(Field::Cover, static_cast<int>(i), *name);
    }
    outcome.edit = doc.importAlbums(std::move(records));
    report.albums = outcome.edit.changed;
    if (report.albums == 0)
        report.songs = 0;
    return outcome;
}

} // namespace discora
