// The printed pages of the current order: how many entries fit on a page, where the letter and
// name breaks start new pages, which entries each page prints and where the footer goes. Pure
// arithmetic on the catalogue and the printer's measures, so it is tested without a printer.
#pragma once

#include "core/order/comparenames.h"
#include "core/view/displaysettings.h"
#include "core/view/sortorder.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class Catalogue;

// How a layout's page-break option splits the printed entries.
enum class PageBreak
{
    None,
    OneRecordPerPage, // the normal layout's option 1
    Letter,           // a new page for each first letter
    NameChange        // a new page for each new name
};

// The break the layout's option asks for. The number order, and the quality order in the normal
// layout, have no name to group by and are never grouped.
PageBreak pageBreakOf(LayoutKind kind, SortOrder order, const ViewOptions& options);

// Lines of a page that hold no entries: the column lists' heading row, and a blank line with the
// footer when page numbers are printed.
int reservedLines(LayoutKind kind, bool pageNumbers);

// The letter an entry is grouped under: the key's first character, or its fifth when the key is
// longer than four characters and begins with "the " (any case) and ignoreThe is set; A to Z
// folded to small letters. kNoLetter for an empty key.
inline constexpr char32_t kNoLetter = 0xFFFFFFFF;
// With folding, an accented Latin letter groups under its base letter.
char32_t groupLetter(std::string_view key, bool ignoreThe, LetterFolding folding = LetterFolding::AsciiOnly);

// The key an entry of the current order is grouped by: the album order's own field, the song
// title, the artist, the producer or the performer. Empty for orders that have no key.
std::string_view groupKey(const Catalogue& doc, LayoutKind kind, int position);

// A run of entry numbers (counted along the print order), first to last; empty when last < first.
struct EntryRange
{
    int first = 0;
    int last = -1;
    bool empty() const { return last < first; }
    int count() const { return empty() ? 0 : last - first + 1; }
    bool operator==(const EntryRange&) const = default;
};

// The printer as pagination sees it, in device pixels.
struct PageMetrics
{
    int pageHeight = 0; // the vertical resolution: the height a page can print on
    int lineHeight = 1; // character height plus external leading of the print font
};

// One print job's pages, valid while the job runs.
struct Pagination
{
    LayoutKind kind = LayoutKind::Normal;
    PageBreak pageBreak = PageBreak::None;
    bool pageNumbers = false;
    // The positions printed when printing a selection, in ascending order; unset for the whole order.
    std::optional<std::vector<int>> printList;
    int printCount = 0;
    int lineHeight = 1;
    int linesPerRecord = 1;
    int linesPerPage = 1;
    int entriesPerPage = 1;
    int pageCount = 1;
    // With letter or name breaks: the entries of each page.
    std::vector<EntryRange> pageTable;

    bool grouped() const { return pageBreak == PageBreak::Letter || pageBreak == PageBreak::NameChange; }
    // The entries page (from 1) prints; empty for a page without entries.
    EntryRange entriesOn(int page) const;
    // The position in the order of entry number n.
    int positionOf(int n) const { return printList ? (*printList)[static_cast<std::size_t>(n)] : n; }
    // The line (from 0) where the first entry of a page starts: the lists start below their heading
    // row; an album block starts one line down when the page's lines are no multiple of its lines.
    int firstEntryLine() const;
    // The line of the "Page Number %d of %d" footer.
    int footerLine() const;
};

// Paginates the current order of doc under its view options. selection: the positions to print,
// in ascending order, when printing a selection; nothing prints every entry of the order.
Pagination paginate(const Catalogue& doc, const PageMetrics& page, std::optional<std::vector<int>> selection);

// The pages of grouped entries: each group starts on a new page and fills as many pages as it
// needs. groupStarts holds the first entry number of every group, ascending, the first being 0.
std::vector<EntryRange> groupedPages(const std::vector<int>& groupStarts, int count, int entriesPerPage);

// The first entry number of each group of the entries to print, by the letter or name rule of the
// pagination's break and layout.
std::vector<int> groupStarts(const Catalogue& doc, const Pagination& pagination);

// The footer text for a page.
std::string pageFooter(int page, int pageCount);

} // namespace discora
