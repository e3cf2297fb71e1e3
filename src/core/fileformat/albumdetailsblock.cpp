#include "core/fileformat/albumdetailsblock.h"

#include <zlib.h>

#include <array>
#include <string>

namespace discora {

void AlbumCheck::add(Field f, std::string_view utf8)
{
    const auto n = static_cast<std::uint32_t>(utf8.size());
    const std::array<unsigned char, 5> head{
        static_cast<unsigned char>(fieldIndex(f)), static_cast<unsigned char>(n & 0xFF),
        static_cast<unsigned char>((n >> 8) & 0xFF), static_cast<unsigned char>((n >> 16) & 0xFF),
        static_cast<unsigned char>(n >> 24)};
    uLong crc = crc32(m_crc, head.data(), static_cast<uInt>(head.size()));
    // zlib takes at most 4 GiB at a time; an album's text may be longer.
    while (!utf8.empty()) {
        const std::size_t piece = std::min<std::size_t>(utf8.size(), 1u << 30);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(utf8.data()), static_cast<uInt>(piece));
        utf8.remove_prefix(piece);
    }
    m_crc = static_cast<std::uint32_t>(crc);
}

std::uint32_t albumCheck(const AlbumStore& albums, int album)
{
    AlbumCheck check;
    albums.forEachText(album, 0, kFieldCount, [&](Field f, std::string_view text) { check.add(f, text); });
    return check.value();
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
