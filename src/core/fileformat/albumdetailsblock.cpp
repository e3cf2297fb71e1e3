#include "core/fileformat/albumdetailsblock.h"

#include "core/base/twothreads.h"

#include <zlib.h>

#include <algorithm>
#include <string>

namespace discora {

void AlbumCheck::add(Field f, std::string_view utf8)
{
    if (!namesTheAlbum(f))
        return;
    const auto n = static_cast<std::uint32_t>(utf8.size());
    m_bytes.push_back(static_cast<char>(fieldIndex(f)));
    for (int i = 0; i < 4; ++i)
        m_bytes.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    m_bytes.append(utf8);
}

std::uint32_t AlbumCheck::value() const
{
    uLong crc = crc32(0, nullptr, 0);
    // zlib takes at most 4 GiB at a time; an album's texts may be longer.
    std::string_view rest = m_bytes;
    while (!rest.empty()) {
        const std::size_t piece = std::min<std::size_t>(rest.size(), std::size_t{1} << 30);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(rest.data()), static_cast<uInt>(piece));
        rest.remove_prefix(piece);
    }
    return static_cast<std::uint32_t>(crc);
}

std::vector<std::uint32_t> albumChecks(const AlbumStore& albums)
{
    const int count = albums.albumCount();
    std::vector<std::uint32_t> checks(static_cast<std::size_t>(count));
    const auto part = [&](int first, int last) {
        AlbumCheck check;
        for (int a = first; a < last; ++a) {
            check.clear();
            // The fields that name the album are the first nine lists but three, and the last
            // three but notes.
            albums.forEachText(a, 0, fieldIndex(Field::FirstTitle),
                               [&](Field f, std::string_view text) { check.add(f, text); });
            albums.forEachText(a, fieldIndex(Field::CatalogNumber), kFieldCount,
                               [&](Field f, std::string_view text) { check.add(f, text); });
            checks[static_cast<std::size_t>(a)] = check.value();
        }
    };
    constexpr int kWorthTwoThreads = 4096;
    if (count < kWorthTwoThreads)
        part(0, count);
    else
        onTwoThreads([&](int half) { half == 0 ? part(0, count / 2) : part(count / 2, count); });
    return checks;
}

DetailsBlockKind detailsBlockKind(std::string_view afterLists)
{
    if (afterLists.empty())
        return DetailsBlockKind::None;
    if (afterLists.size() < kDetailsHeaderBytes || afterLists.substr(0, 4) != kDetailsMarker)
        return DetailsBlockKind::Damaged;
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(afterLists[i]));
    };
    const auto version =
        static_cast<std::int32_t>(byte(4) | (byte(5) << 8) | (byte(6) << 16) | (byte(7) << 24));
    std::uint64_t length = 0;
    for (int i = 7; i >= 0; --i)
        length = (length << 8) | byte(8 + static_cast<std::size_t>(i));
    if (version < kDetailsBlockVersion || length != afterLists.size() - kDetailsHeaderBytes)
        return DetailsBlockKind::Damaged;
    return version == kDetailsBlockVersion ? DetailsBlockKind::Current : DetailsBlockKind::Newer;
}

std::string detailsNotApplied(std::string_view reason)
{
    return "The collection details (status, loans, purchase, condition...) in this file were not "
           "read: " +
           std::string(reason) + ".";
}

} // namespace discora
