// Catalogue files made by the tests themselves: a little-endian byte builder and a writer for every
// layout the reader accepts, written out from the layout tables rather than with the program's writer,
// so a mistake shared by our reader and writer cannot hide behind a round trip.
#pragma once

#include "core/base/cp1252.h"
#include "core/model/albumrecord.h"
#include "core/model/columnlayout.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace discora::fixture {

class Bytes
{
public:
    Bytes& u8(unsigned v)
    {
        m_bytes.push_back(static_cast<char>(v & 0xFF));
        return *this;
    }
    Bytes& u16(unsigned v) { return u8(v).u8(v >> 8); }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& raw(std::string_view s)
    {
        m_bytes.append(s);
        return *this;
    }
    Bytes& length(std::size_t n)
    {
        if (n <= 254)
            return u8(static_cast<unsigned>(n));
        if (n <= 65533)
            return u8(0xFF).u16(static_cast<unsigned>(n));
        return u8(0xFF).u16(0xFFFF).u32(static_cast<std::uint32_t>(n));
    }
    // An 8-bit string; the text is already in Windows-1252 bytes.
    Bytes& text(std::string_view bytes) { return length(bytes.size()).raw(bytes); }
    // The 2-byte-character form.
    Bytes& wide(std::u16string_view units)
    {
        u8(0xFF).u16(0xFFFE).length(units.size());
        for (char16_t unit : units)
            u16(unit);
        return *this;
    }
    Bytes& count(std::size_t n)
    {
        if (n <= 65534)
            return u16(static_cast<unsigned>(n));
        return u16(0xFFFF).u32(static_cast<std::uint32_t>(n));
    }
    Bytes& list(const std::vector<std::string>& texts)
    {
        count(texts.size());
        for (const auto& t : texts)
            text(t);
        return *this;
    }

    const std::string& str() const { return m_bytes; }
    operator std::string() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Any first integer of 0 or more is the unmarked layout, whose first integer is the album count.
constexpr int kOldest = 0;

// Column table entries per layout, in file order (ByArtist ... BySong).
constexpr std::array<int, 14> kColumnSlots = {6, 5, 6, 6, 6, 6, 6, 6, 6, 6, 5, 5, 6, 5};

struct EdgeRange
{
    LayoutId layout;
    int first; // edge numbers 1 to 5, inclusive
    int last;
};

inline const std::vector<EdgeRange> kGroupA = {
    {LayoutId::ByNumber, 1, 5},        {LayoutId::ByArtistShort, 5, 5}, {LayoutId::ByAlbumName, 3, 5},
    {LayoutId::ByCatalogNumber, 4, 5}, {LayoutId::ByCustom1, 4, 5},     {LayoutId::ByCustom2, 4, 5},
    {LayoutId::ByArtist, 3, 5},        {LayoutId::ByLabel, 4, 5},       {LayoutId::ByQuality, 4, 5},
    {LayoutId::ByMediaType, 4, 5},     {LayoutId::ByMusicType, 4, 5},   {LayoutId::ByPerformer, 4, 5},
    {LayoutId::ByProducer, 3, 5},      {LayoutId::BySong, 4, 5},
};

inline const std::vector<EdgeRange> kGroupB = {
    {LayoutId::ByArtistShort, 1, 4}, {LayoutId::ByAlbumName, 1, 2}, {LayoutId::ByCatalogNumber, 1, 3},
    {LayoutId::ByCustom1, 1, 3},     {LayoutId::ByCustom2, 1, 3},   {LayoutId::ByArtist, 1, 2},
    {LayoutId::ByLabel, 1, 3},       {LayoutId::ByQuality, 1, 3},   {LayoutId::ByMediaType, 1, 3},
    {LayoutId::ByMusicType, 1, 3},   {LayoutId::ByPerformer, 1, 3}, {LayoutId::ByProducer, 1, 2},
    {LayoutId::BySong, 1, 3},
};

inline std::vector<int> columnInts(const ColumnLayouts& layouts)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < kColumnSlots.size(); ++i)
        for (int s = 0; s < kColumnSlots[i]; ++s)
            out.push_back(layouts[i].fieldColumns.at(s));
    return out;
}

inline std::vector<int> edgeInts(const ColumnLayouts& layouts, const std::vector<EdgeRange>& group)
{
    std::vector<int> out;
    for (const EdgeRange& r : group)
        for (int e = r.first; e <= r.last; ++e)
            out.push_back(layouts[static_cast<int>(r.layout)].leftEdges[e - 1]);
    return out;
}

// The texts of one album in the order the given layout stores its lists (pointers into the record).
template <typename Record> auto listTexts(Record& r, int version)
{
    std::vector<decltype(&r.artist)> t;
    const auto add = [&](auto&... s) { (t.push_back(&s), ...); };
    const auto titles = [&](int n) {
        for (int k = 0; k < n; ++k)
            t.push_back(&r.songs[k].title);
    };
    if (version >= 0) {
        add(r.artist, r.mediaType, r.musicType, r.albumName, r.number);
        titles(21);
        return t;
    }
    if (version == -1) {
        add(r.artist, r.producer1, r.producer2, r.mediaType, r.musicType, r.albumName, r.number);
        titles(21);
        return t;
    }
    if (version <= -4)
        add(r.custom1, r.custom2);
    add(r.artist, r.producer1, r.producer2, r.mediaType, r.musicType, r.albumName, r.number);
    titles(26);
    for (auto& s : r.songs)
        t.push_back(&s.time);
    for (auto& s : r.songs)
        t.push_back(&s.trackNumber);
    if (version == -2)
        return t;
    for (auto& p : r.performers)
        t.push_back(&p.instrument);
    for (auto& p : r.performers)
        t.push_back(&p.name);
    add(r.catalogNumber, r.quality, r.label, r.notes);
    return t;
}

struct CatalogueContent
{
    int version = -7;                // -7 to -1, or kOldest
    std::vector<AlbumRecord> albums; // texts in Windows-1252 bytes
    std::array<std::string, 2> headings;
    ColumnLayouts layouts = defaultColumnLayouts(96);
    // List number (0-based, in the layout's order) to the exact bytes written in its place.
    std::map<int, std::string> replacedLists;
};

inline std::string catalogueBytes(const CatalogueContent& c)
{
    Bytes b;
    const auto n = static_cast<std::int32_t>(c.albums.size());
    if (c.version < 0)
        b.i32(c.version).i32(n);
    else
        b.i32(n);
    if (c.version <= -7) {
        for (int v : columnInts(c.layouts))
            b.i32(v);
        for (int v : edgeInts(c.layouts, kGroupA))
            b.i32(v);
    }
    if (c.version <= -6) {
        for (int v : edgeInts(c.layouts, kGroupB))
            b.i32(v);
        b.i32(0).i32(0).i32(0).i32(0);
    }
    if (c.version <= -5)
        b.text(c.headings[0]).text(c.headings[1]);

    std::vector<std::vector<const std::string*>> rows;
    for (const AlbumRecord& a : c.albums)
        rows.push_back(listTexts(a, c.version));
    const AlbumRecord blank;
    const std::size_t lists = listTexts(blank, c.version).size();
    for (std::size_t l = 0; l < lists; ++l) {
        if (const auto it = c.replacedLists.find(static_cast<int>(l)); it != c.replacedLists.end()) {
            b.raw(it->second);
            continue;
        }
        b.count(rows.size());
        for (const auto& row : rows)
            b.text(*row[l]);
    }
    return b;
}

// What an album stored in the given layout reads back as: the carried fields in UTF-8, the rest
// empty, and for the two oldest layouts a track number for every song that has a title.
inline AlbumRecord expectedAfterLoad(const AlbumRecord& stored, int version)
{
    AlbumRecord out;
    const auto from = listTexts(stored, version);
    const auto to = listTexts(out, version);
    for (std::size_t i = 0; i < from.size(); ++i)
        *to[i] = cp1252::toUtf8(*from[i]);
    if (version == -1 || version >= 0) {
        for (int k = 1; k <= kSongSlots; ++k) {
            Song& s = out.songs[k - 1];
            if (!s.title.empty())
                s.trackNumber =
                    std::string(1, static_cast<char>('0' + k / 10)) + static_cast<char>('0' + k % 10);
        }
    }
    return out;
}

// An album whose 111 texts all differ from each other and from every other album's.
inline AlbumRecord distinctAlbum(int id)
{
    const std::string tag = "#" + std::to_string(id);
    AlbumRecord r;
    r.artist = "Artist" + tag;
    r.albumName = "Album" + tag;
    r.musicType = "MusicType" + tag;
    r.mediaType = "MediaType" + tag;
    r.number = "Number" + tag;
    r.producer1 = "ProducerA" + tag;
    r.producer2 = "ProducerB" + tag;
    r.label = "Label" + tag;
    r.catalogNumber = "CatNo" + tag;
    r.quality = "Quality" + tag;
    r.custom1 = "CustomA" + tag;
    r.custom2 = "CustomB" + tag;
    for (int k = 1; k <= kSongSlots; ++k) {
        const std::string slot = std::to_string(k);
        r.songs[k - 1] = {"Title" + slot + tag, "Time" + slot + tag, "Track" + slot + tag};
    }
    for (int k = 1; k <= kPerformerSlots; ++k) {
        const std::string slot = std::to_string(k);
        r.performers[k - 1] = {"Performer" + slot + tag, "Instrument" + slot + tag};
    }
    r.notes = "Notes line 1" + tag + "\r\nline 2";
    return r;
}

// Layouts in which every column entry and every edge is different, so a misplaced integer shows.
inline ColumnLayouts distinctLayouts(int base)
{
    ColumnLayouts layouts = defaultColumnFields();
    for (int i = 0; i < kLayoutCount; ++i) {
        for (std::size_t s = 0; s < layouts[i].fieldColumns.size(); ++s)
            layouts[i].fieldColumns[s] = base + 100 * i + static_cast<int>(s);
        for (int e = 0; e < kLeftEdgeCount; ++e)
            layouts[i].leftEdges[e] = base + 1000 + 10 * i + e;
    }
    return layouts;
}

} // namespace discora::fixture
