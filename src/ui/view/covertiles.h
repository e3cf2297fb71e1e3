// Paints the Covers view: each tile in sight with its cover (or a quiet placeholder with the
// album's initials while there is none, or while its thumbnail is being made) and the artist and
// album under it.
#pragma once

#include "core/layout/covergrid.h"
#include "ui/support/cataloguepainter.h"
#include "ui/view/coverthumbnails.h"

#include <QFont>
#include <QPainter>

#include <vector>

namespace discora {

class CatalogueDocument;
class ViewSelection;

struct CoverTilesInput
{
    const CatalogueDocument& doc;
    const ViewSelection& selection;
    const CoverGrid& grid;
    int scrollY = 0;
    int pageHeight = 0;
    QFont font;
    ViewColors colors;
};

// Paints the tiles in sight and returns the covers whose thumbnails are still to be made: those in
// sight first, then those of the next page, for a scroll to find them ready.
// Where the thumbnails of a cover are made from: its file, or its bytes while only in memory.
CoverThumbnails::Source coverSourceOf(const CatalogueDocument& doc, const std::string& name);

std::vector<CoverThumbnails::Source> paintCoverTiles(QPainter& painter, const CoverTilesInput& input,
                                                     const CoverThumbnails& thumbnails);

} // namespace discora
