// Documents made by the tests: albums handed to the document the way a loaded file is, so every
// derived list is built by the program's own load steps.
#pragma once

#include "core/document/cataloguedocument.h"
#include "core/fileformat/cataloguereader.h"

#include <string>
#include <vector>

namespace discora::fixture {

inline AlbumRecord albumOf(std::string artist, std::string name)
{
    AlbumRecord a;
    a.artist = std::move(artist);
    a.albumName = std::move(name);
    return a;
}

inline void loadAlbums(CatalogueDocument& doc, const std::vector<AlbumRecord>& albums)
{
    LoadedCatalogue loaded;
    for (const AlbumRecord& a : albums)
        loaded.albums.appendAlbum(a);
    loaded.layouts = doc.columnLayouts();
    loaded.headings = {"Custom 1", "Custom 2"};
    doc.adoptLoaded(std::move(loaded));
}

// Adds albums at the end the way loading a file with them would, keeping the document's headings
// and column layouts.
inline void appendAlbums(CatalogueDocument& doc, const std::vector<AlbumRecord>& albums)
{
    LoadedCatalogue loaded;
    for (int a = 0; a < doc.albumCount(); ++a)
        loaded.albums.appendAlbum(doc.album(a));
    for (const AlbumRecord& a : albums)
        loaded.albums.appendAlbum(a);
    loaded.layouts = doc.columnLayouts();
    loaded.headings = doc.headings();
    doc.adoptLoaded(std::move(loaded));
}

// The album names in catalogue (index) order.
inline std::vector<std::string> albumNames(const CatalogueDocument& doc)
{
    std::vector<std::string> names;
    for (int a = 0; a < doc.albumCount(); ++a)
        names.emplace_back(doc.text(Field::AlbumName, a));
    return names;
}

// The album names in display order.
inline std::vector<std::string> displayedNames(const CatalogueDocument& doc)
{
    std::vector<std::string> names;
    for (std::uint32_t a : doc.displayOrder())
        names.emplace_back(doc.text(Field::AlbumName, static_cast<int>(a)));
    return names;
}

} // namespace discora::fixture
