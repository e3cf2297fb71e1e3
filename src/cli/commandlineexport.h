// The exports run from the command line: a loaded catalogue, filtered and put in an order, written
// without a window.
#pragma once

#include "core/document/cataloguedocument.h"
#include "core/export/exportfile.h"
#include "core/export/exportsettings.h"
#include "core/view/sortorder.h"
#include "ui/app/webpageexport.h"

#include <span>
#include <string>
#include <utility>

namespace discora {

// Sets the given filters (every other one to "All"), builds the display order, runs order under
// the document's view style and options, and exports every displayed album in the album sequence:
// for a song, producer or performer order, the sequence of albums its list was built from. Albums
// the order finds equal keep the sequence they had, as in the window. Fails when the order's list
// could not be built whole.
Result<ExportedFile> exportDisplayedAlbums(CatalogueDocument& doc, ExportFormat format, SortOrder order,
                                           std::span<const std::pair<FilterField, std::string>> filters,
                                           const ExportSettings& settings);

// The same albums, put in the same sequence, written as a web page into folder.
Result<WebPageReport>
exportDisplayedAlbumsAsWebPage(CatalogueDocument& doc, const std::string& folder, SortOrder order,
                               std::span<const std::pair<FilterField, std::string>> filters,
                               const std::string& title);

} // namespace discora
