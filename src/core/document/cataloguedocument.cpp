#include "core/document/cataloguedocument.h"

#include "core/catalogue/cataloguefile.h"
#include "core/order/comparenames.h"
#include "core/order/performerlist.h"
#include "core/order/orders.h"

#include <algorithm>

namespace discora {

namespace {

constexpr FilterField kFilterFields[] = {FilterField::Artist, FilterField::Label, FilterField::MediaType,
                                         FilterField::MusicType, FilterField::Quality};
constexpr Field kFilteredField[] = {Field::Artist, Field::Label, Field::MediaType, Field::MusicType,
                                    Field::Quality};

bool isNoFilter(std::string_view f)
{
    return CompareNames(f, kNoFilter) == 0;
}

} // namespace

CatalogueDocument::CatalogueDocument()
{
    m_filters.fill(kNoFilter);
    m_layouts = defaultColumnLayouts(m_dpi);
}

void CatalogueDocument::addObserver(DocumentObserver* observer)
{
    m_observers.push_back(observer);
}

void CatalogueDocument::removeObserver(DocumentObserver* observer)
{
    std::erase(m_observers, observer);
}

void CatalogueDocument::notify(void (DocumentObserver::*hook)())
{
    const auto observers = m_observers; // an observer may remove itself
    for (DocumentObserver* o : observers)
        (o->*hook)();
}

void CatalogueDocument::UpdateAllViews()
{
    notify(&DocumentObserver::documentUpdated);
}

void CatalogueDocument::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    const auto observers = m_observers;
    for (DocumentObserver* o : observers)
        o->modifiedChanged(modified);
}

void CatalogueDocument::setHeadings(std::string first, std::string second)
{
    m_headings = {std::move(first), std::move(second)};
    notify(&DocumentObserver::headingsChanged);
}

void CatalogueDocument::setColours(const DisplayColors& colours)
{
    m_colours = colours;
    notify(&DocumentObserver::displaySettingsChanged);
}

void CatalogueDocument::setFont(const ScreenFont& font)
{
    m_font = font;
    notify(&DocumentObserver::displaySettingsChanged);
}

void CatalogueDocument::setViewOptions(const ViewOptions& options)
{
    m_viewOptions = options;
    notify(&DocumentObserver::displaySettingsChanged);
}

void CatalogueDocument::RebuildValueLists()
{
    for (auto& list : m_valueLists)
        list.clear();
    ProgressScope progress(this->progress(), "Updating Artist, Music Type, and Media Type", albumCount());
    for (int a = 0; a < albumCount(); ++a) {
        AddDistinctValue(ValueListId::Artist, text(Field::Artist, a));
        AddDistinctValue(ValueListId::Label, text(Field::Label, a));
        AddDistinctValue(ValueListId::Quality, text(Field::Quality, a));
        AddDistinctValue(ValueListId::AlbumName, text(Field::AlbumName, a));
        AddDistinctValue(ValueListId::Producer, text(Field::Producer1, a));
        AddDistinctValue(ValueListId::Producer, text(Field::Producer2, a));
        AddDistinctValue(ValueListId::MusicType, text(Field::MusicType, a));
        AddDistinctValue(ValueListId::MediaType, text(Field::MediaType, a));
        progress.step();
    }
}

void CatalogueDocument::RefillEntryLists()
{
    if (m_entryListSink)
        m_entryListSink->clearEntryLists();
    int total = 0;
    for (const auto& list : m_valueLists)
        total += list.count();
    ProgressScope progress(this->progress(), "Updating Edit/Enter Dialog Box", total);
    for (int id = 0; id < kValueListCount; ++id) {
        for (const std::string& value : m_valueLists[id].values()) {
            if (m_entryListSink)
                m_entryListSink->addEntryValue(static_cast<ValueListId>(id), value);
            progress.step();
        }
    }
}

void CatalogueDocument::ClearAll()
{
    m_undo.clear();
    m_displayOrder.clear();
    m_displayOrder.shrink_to_fit();
    m_derived.clear();
    m_albums.clear();
    for (auto& list : m_valueLists)
        list.clear();
    // The sheet's drop-down lists mirror the value lists; a new catalogue must not offer the old one's.
    if (m_entryListSink)
        m_entryListSink->clearEntryLists();
    m_currentOrder = SortOrder::ByArtist;
}

void CatalogueDocument::newDocument()
{
    m_readyForEntry = true;
    ClearAll();
    m_layouts = defaultColumnLayouts(m_dpi);
    m_progressEnabled = true;
    m_currentOrder = SortOrder::ByArtist;
    m_viewStyle = ViewStyle::Normal;
    m_filters.fill(kNoFilter);
    setModified(false);
    notify(&DocumentObserver::viewReset);
    UpdateAllViews();
}

void CatalogueDocument::adoptLoaded(LoadedCatalogue&& loaded)
{
    ClearAll();
    m_albums = std::move(loaded.albums);
    m_layouts = std::move(loaded.layouts);
    m_readyForEntry = true;
    setHeadings(std::move(loaded.headings[0]), std::move(loaded.headings[1]));
    RebuildValueLists();
    RefillEntryLists();
    ApplyFilters();
    // ByArtist is current after every load, sorted or not; ClearAll dropped the old derived lists.
    m_currentOrder = SortOrder::ByArtist;
    if (displayedCount() > 1)
        runOrder(*this, SortOrder::ByArtist);
    setModified(false);
    notify(&DocumentObserver::viewReset);
    UpdateAllViews();
}

Status CatalogueDocument::load(std::string_view bytes)
{
    auto loaded = readCatalogue(bytes, LoadBase{m_layouts, m_headings}, progress());
    if (!loaded)
        return Error{loaded.error()};
    adoptLoaded(std::move(*loaded));
    return success();
}

std::string CatalogueDocument::save() const
{
    return writeCatalogue(m_albums, m_layouts, m_headings);
}

Status CatalogueDocument::openFile(const std::string& path)
{
    auto bytes = readWholeFile(path);
    if (!bytes)
        return Error{"Cannot open \"" + path + "\". " + bytes.error()};
    Status status = load(*bytes);
    if (!status)
        return Error{"Cannot open \"" + path + "\". " + status.error()};
    return success();
}

Status CatalogueDocument::saveFile(const std::string& path)
{
    std::string bytes;
    try {
        bytes = save();
    } catch (const std::bad_alloc&) {
        return Error{"Cannot save \"" + path + "\". Not enough memory to save the file."};
    }
    Status status = writeFileAtomically(path, bytes);
    if (!status)
        return Error{"Cannot save \"" + path + "\". " + status.error()};
    setModified(false);
    return success();
}

bool CatalogueDocument::albumPassesFilters(int album) const
{
    for (std::size_t i = 0; i < std::size(kFilterFields); ++i) {
        const std::string& f = filter(kFilterFields[i]);
        if (!isNoFilter(f) && !beginsWithName(text(kFilteredField[i], album), f))
            return false;
    }
    const std::string& performer = filter(FilterField::Performer);
    if (isNoFilter(performer))
        return true;
    // The Filters dialog offers performer names without leading white space, as the performer list
    // shows them, so a name stored as " Bob" must pass the filter "Bob" too.
    for (int k = 1; k <= kPerformerSlots; ++k) {
        const std::string_view name = text(performerField(k), album);
        if (beginsWithName(name, performer) || beginsWithName(trimmedPerformerName(name), performer))
            return true;
    }
    return false;
}

void CatalogueDocument::ApplyFilters()
{
    m_displayOrder.clear();
    const bool noFilters = std::all_of(m_filters.begin(), m_filters.end(), isNoFilter);
    m_displayOrder.reserve(albumCount());
    for (int a = 0; a < albumCount(); ++a)
        if (noFilters || albumPassesFilters(a))
            m_displayOrder.push_back(static_cast<std::uint32_t>(a));
}

bool CatalogueDocument::viewRuleIgnoresThe() const
{
    const ViewOption option =
        m_viewStyle == ViewStyle::SingleLineSorts ? ViewOption::GroupViewThe : ViewOption::NlViewThe;
    return m_viewOptions.on(option);
}

} // namespace discora
