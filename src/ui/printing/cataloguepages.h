// One print job of the current order on a printer or a PDF writer: measures the device with the
// print fonts, paginates, and draws any page on request. The job's state lives as long as the
// object, so ending a job is letting it go.
#pragma once

#include "core/base/result.h"
#include "core/layout/pagination.h"
#include "ui/support/cataloguepainter.h"

#include <QFont>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace discora {

class Catalogue;
class CatalogueDocument;
class ProgressSink;

inline constexpr const char* kCouldNotStartPrintJob = "Could not start print job.";

// "Printing page 3 of 40"
std::string printingPageText(int page, int pageCount);

class CataloguePages
{
public:
    // selection: the positions to print, in ascending order; nothing prints every entry of the order.
    // covers: the albums' front covers, for the normal layout when its option shows them.
    CataloguePages(const Catalogue& doc, const QPaintDevice& device,
                   std::optional<std::vector<int>> selection, CoverLookup covers = {});

    const Pagination& pagination() const { return m_pagination; }
    int pageCount() const { return m_pagination.pageCount; }
    const QFont& printFont() const { return m_font; }

    // Draws page (from 1) with a painter open on the device the job was measured for.
    void printPage(QPainter& painter, int page) const;

private:
    const Catalogue& m_doc;
    QFont m_font;
    QFont m_boldFont;
    int m_printDpi = 0;
    int m_printWidth = 0;
    int m_timeWidth = 0;
    int m_pageHeight = 0;
    ViewColors m_colors;
    Pagination m_pagination;
    CoverLookup m_covers;
};

// The covers of a catalogue at full quality, read from its folder (or memory) and scaled for paper.
CoverLookup documentCovers(const CatalogueDocument& doc);

// Which pages of a job to print: first to last (0 for either: from the first or to the last page),
// copies times over.
struct PageSpan
{
    int first = 0;
    int last = 0;
    int copies = 1;
};

// Asked after each page with the pages printed and the pages to print; false stops the job there
// (the pages printed so far stay).
using KeepPrinting = std::function<bool(int printed, int total)>;

// Prints the span of job on device, one page after the other, showing "Printing page %d of %d"
// with a progress bar. Fails with "Could not start print job." when the device cannot be opened.
Status printPages(QPagedPaintDevice& device, const CataloguePages& job, PageSpan span = {},
                  ProgressSink* progress = nullptr, const KeepPrinting& keepPrinting = {});

} // namespace discora
