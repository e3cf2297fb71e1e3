#include "core/layout/pagination.h"

#include "core/base/cp1252.h"
#include "core/layout/viewlayout.h"
#include "core/order/comparenames.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "core/view/catalogue.h"

#include <algorithm>
#include <array>

namespace discora {

namespace {

PageBreak breakOfRadio(int value)
{
    switch (value) {
    case 1: return PageBreak::Letter;
    case 2: return PageBreak::NameChange;
    default: return PageBreak::None;
    }
}

void prefetch(const char* data)
{
#if defined(__GNUC__)
    __builtin_prefetch(data);
#else
    (void)data;
#endif
}

// A letter that sorts below "A" by the name comparison: digits, most punctuation, and no letter.
bool sortsBelowA(char32_t letter)
{
    return letter == kNoLetter || letter < U'a';
}

} // namespace

PageBreak pageBreakOf(LayoutKind kind, SortOrder order, const ViewOptions& o)
{
    const LayoutKindInfo& info = layoutKindInfo(kind);
    const int value = o.value(info.pageBreakOption);
    switch (info.pageBreakChoice) {
    case PageBreakChoice::NormalRadio:
        if (value == 1)
            return PageBreak::OneRecordPerPage;
        if (order == SortOrder::ByNumber || order == SortOrder::ByQuality)
            return PageBreak::None;
        return value == 2 ? PageBreak::Letter : value == 3 ? PageBreak::NameChange : PageBreak::None;
    case PageBreakChoice::Radio: return order == SortOrder::ByNumber ? PageBreak::None : breakOfRadio(value);
    case PageBreakChoice::Check: return value != 0 ? PageBreak::Letter : PageBreak::None;
    }
    return PageBreak::None;
}

int reservedLines(LayoutKind kind, bool pageNumbers)
{
    const int footer = pageNumbers ? 2 : 0;
    return isColumnList(kind) ? footer + 1 : footer;
}

char32_t groupLetter(std::string_view key, bool ignoreThe, LetterFolding folding)
{
    if (ignoreThe)
        key = stripLeadingThe(key);
    if (key.empty())
        return kNoLetter;
    const auto first = static_cast<unsigned char>(key[0]);
    std::size_t pos = 0;
    char32_t c = first < 0x80 ? first : cp1252::decodeUtf8(key, pos);
    if (first >= 0x80 && folding == LetterFolding::WithAccents) {
        if (const std::string folded = foldAccents(key.substr(0, pos)); !folded.empty())
            c = static_cast<unsigned char>(folded[0]);
    }
    return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c;
}

std::string_view groupKey(const Catalogue& doc, LayoutKind kind, int position)
{
    const auto entry = static_cast<std::size_t>(position);
    const DerivedLists& lists = doc.derivedLists();
    switch (layoutKindInfo(kind).groupKey) {
    case GroupKeySource::AlbumKey:
        return doc.text(sortOrderInfo(doc.currentOrder()).key, static_cast<int>(doc.displayOrder()[entry]));
    case GroupKeySource::SongTitle: return songTitle(doc, lists.songs[entry]);
    case GroupKeySource::AlbumArtist:
        return doc.text(Field::Artist, static_cast<int>(lists.songs[entry].album));
    case GroupKeySource::Producer: return producerName(doc, lists.producers[entry]);
    case GroupKeySource::Performer: return performerName(doc, lists.performers[entry]);
    }
    return {};
}

EntryRange Pagination::entriesOn(int page) const
{
    if (page < 1 || page > pageCount)
        return {};
    if (grouped())
        return page <= static_cast<int>(pageTable.size()) ? pageTable[static_cast<std::size_t>(page - 1)]
                                                          : EntryRange{};
    const long long first = static_cast<long long>(page - 1) * entriesPerPage;
    const long long last = std::min<long long>(printCount - 1, first + entriesPerPage - 1);
    return {static_cast<int>(first), static_cast<int>(last)};
}

int Pagination::firstEntryLine() const
{
    if (isColumnList(kind))
        return 1;
    if (layoutKindInfo(kind).block == BlockShape::Normal && pageBreak != PageBreak::OneRecordPerPage &&
        linesPerPage % linesPerRecord != 0)
        return 1;
    return 0;
}

int Pagination::footerLine() const
{
    return isColumnList(kind) ? linesPerPage + 2 : linesPerPage + 1;
}

std::vector<EntryRange> groupedPages(const std::vector<int>& starts, int count, int entriesPerPage)
{
    std::vector<EntryRange> pages;
    const int perPage = std::max(1, entriesPerPage);
    for (std::size_t g = 0; g < starts.size(); ++g) {
        const int end = g + 1 < starts.size() ? starts[g + 1] : count; // one past the group's last entry
        for (int first = starts[g]; first < end; first += perPage)
            pages.push_back({first, std::min(end, first + perPage) - 1});
    }
    // Nothing to print still prints one page, without entries.
    if (pages.empty())
        pages.push_back({});
    return pages;
}

std::vector<int> groupStarts(const Catalogue& doc, const Pagination& p)
{
    std::vector<int> starts;
    if (p.printCount <= 0 || !p.grouped())
        return starts;
    starts.push_back(0);
    const auto keyOf = [&](int n) { return groupKey(doc, p.kind, p.positionOf(n)); };
    if (p.pageBreak == PageBreak::NameChange) {
        std::string_view opened = keyOf(0);
        for (int n = 1; n < p.printCount; ++n) {
            const std::string_view key = keyOf(n);
            if (key != opened) {
                starts.push_back(n);
                opened = key;
            }
        }
        return starts;
    }
    const bool ignoreThe = doc.namesIgnoreThe();
    const LetterFolding folding = letterFoldingOf(doc.viewOptions());
    const bool digitsJoin = doc.currentOrder() == SortOrder::ByAlbumName;
    const LetterJoin letterJoin = layoutKindInfo(p.kind).letterJoin;
    // The keys of a derived list lie all over memory: they are looked up a block ahead of their
    // letters, so that the fetches overlap instead of waiting one after the other.
    constexpr int kBlock = 32;
    std::array<std::string_view, kBlock> keys;
    const auto fetch = [&](int from) {
        for (int i = 0; i < kBlock && from + i < p.printCount; ++i) {
            keys[static_cast<std::size_t>(i)] = keyOf(from + i);
            prefetch(keys[static_cast<std::size_t>(i)].data());
        }
    };
    fetch(0);
    char32_t opened = groupLetter(keys[0], ignoreThe, folding);
    for (int n = 1; n < p.printCount; ++n) {
        if (n % kBlock == 0)
            fetch(n);
        const char32_t letter = groupLetter(keys[static_cast<std::size_t>(n % kBlock)], ignoreThe, folding);
        if (letter == opened)
            continue;
        bool opens = true;
        switch (letterJoin) {
        case LetterJoin::DigitsJoinByAlbumName: opens = !(digitsJoin && sortsBelowA(letter)); break;
        case LetterJoin::NeverJoins: break;
        case LetterJoin::BelowAJoins:
            opens = !sortsBelowA(letter) || (letter != kNoLetter && opened == kNoLetter);
            break;
        }
        if (opens) {
            starts.push_back(n);
            opened = letter;
        }
    }
    return starts;
}

Pagination paginate(const Catalogue& doc, const PageMetrics& page, std::optional<std::vector<int>> selection)
{
    Pagination p;
    const ViewOptions& options = doc.viewOptions();
    const int entries = orderEntryCount(doc);
    p.kind = currentLayoutKind(doc);
    p.pageBreak = pageBreakOf(p.kind, doc.currentOrder(), options);
    p.pageNumbers = options.on(ViewOption::ShowPageNum);
    if (selection)
        std::erase_if(*selection, [entries](int position) { return position < 0 || position >= entries; });
    p.printCount = selection ? static_cast<int>(selection->size()) : entries;
    p.printList = std::move(selection);
    // A line, a page's lines and its entries are never fewer than one: a tall album on a small page
    // or in a large font still prints, one per page, cut at the page's end.
    p.lineHeight = std::max(1, page.lineHeight);
    p.linesPerRecord = std::max(1, linesPerRecord(p.kind, options));
    p.linesPerPage = std::max(1, page.pageHeight / p.lineHeight - reservedLines(p.kind, p.pageNumbers));
    p.entriesPerPage =
        p.pageBreak == PageBreak::OneRecordPerPage ? 1 : std::max(1, p.linesPerPage / p.linesPerRecord);
    if (p.grouped()) {
        p.pageTable = groupedPages(groupStarts(doc, p), p.printCount, p.entriesPerPage);
        p.pageCount = static_cast<int>(p.pageTable.size());
    } else {
        p.pageCount = std::max(1, (p.printCount + p.entriesPerPage - 1) / p.entriesPerPage);
    }
    return p;
}

std::string pageFooter(int page, int pageCount)
{
    return "Page Number " + std::to_string(page) + " of " + std::to_string(pageCount);
}

} // namespace discora
