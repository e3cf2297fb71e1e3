// Importing a folder of audio files into the open catalogue, the steps the window and the command
// line share: the scan (on a worker thread in the window, touching no document), the albums it
// makes, marked where the catalogue has them already, and then the chosen albums added in one step
// that one Undo takes back. Between the two the window shows its dialog, where the user ticks.
#pragma once

#include "core/document/cataloguedocument.h"
#include "core/import/audioalbums.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

namespace discora {

// A tag the user names and the field it fills (nothing for "ignore").
using TagAssignment = std::pair<AudioTag, std::optional<Field>>;

struct AudioImportPlan
{
    std::string folder;
    AudioScan scan;
    std::vector<AudioAlbum> albums; // chosen: all but those already in the catalogue
    AudioAlbumOptions options;
};

// Fails with "Cannot import "DIR". REASON" when the scan found no audio file it could read (the
// reason names the first unreadable file, if any) or was cancelled.
Result<AudioImportPlan> planAudioImport(const CatalogueDocument& doc, const std::string& folder,
                                        AudioScan scan, std::span<const TagAssignment> assignments = {});

// Whether the catalogue holds an album of this artist and name, letter case aside.
void markAlbumsInCatalogue(const Catalogue& catalogue, std::vector<AudioAlbum>& albums);

struct AudioImportOutcome
{
    AudioImportReport report;
    CatalogueDocument::EditOutcome edit;
};

// The chosen albums of plan, added at the end of the catalogue; one progress step per album.
AudioImportOutcome applyAudioImport(CatalogueDocument& doc, const AudioImportPlan& plan);

} // namespace discora
