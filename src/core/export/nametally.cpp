#include "core/export/nametally.h"

#include "core/base/texthash.h"
#include "core/order/comparenames.h"

#include <algorithm>

namespace discora {

namespace {

void foldInto(std::string& out, std::string_view name)
{
    out.resize(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        out[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    }
}

} // namespace

void NameTally::count(std::string_view name)
{
    foldInto(m_folded, name);
    count(name, m_folded, static_cast<std::uint32_t>(hashText(m_folded)), 1, 1);
}

void NameTally::count(std::string_view name, std::string_view folded, std::uint32_t hash, int albums,
                      int votes)
{
    if ((m_entries.size() + 1) * 2 > m_slots.size())
        growTable();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t pos = hash & mask;
    for (; m_slots[pos] != kEmpty; pos = (pos + 1) & mask) {
        Entry& e = m_entries[m_slots[pos]];
        if (e.hash == hash && this->folded(e) == folded) {
            e.albums += albums;
            if (spelling(e) == name) {
                e.votes += votes;
            } else if (e.votes >= votes) {
                e.votes -= votes;
            } else {
                // Spellings of one folded name are as long as each other: the new one takes its place.
                m_names.replace(e.offset + e.size, e.size, name);
                e.votes = votes - e.votes;
            }
            return;
        }
    }
    const std::size_t offset = m_names.size();
    m_names.append(folded);
    m_names.append(name);
    m_entries.push_back({offset, static_cast<std::uint32_t>(name.size()), hash, albums, votes});
    m_slots[pos] = static_cast<std::uint32_t>(m_entries.size() - 1);
}

void NameTally::add(const NameTally& other)
{
    for (const Entry& e : other.m_entries)
        count(other.spelling(e), other.folded(e), e.hash, e.albums, e.votes);
}

void NameTally::growTable()
{
    std::vector<std::uint32_t> slots(std::max<std::size_t>(64, m_slots.size() * 2), kEmpty);
    const std::size_t mask = slots.size() - 1;
    for (std::uint32_t entry : m_slots) {
        if (entry == kEmpty)
            continue;
        std::size_t pos = m_entries[entry].hash & mask;
        while (slots[pos] != kEmpty)
            pos = (pos + 1) & mask;
        slots[pos] = entry;
    }
    m_slots = std::move(slots);
}

std::vector<NamedCount> NameTally::mostFirst(std::size_t limit) const
{
    std::vector<const Entry*> order;
    order.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        order.push_back(&e);
    const auto before = [this](const Entry* a, const Entry* b) {
        if (a->albums != b->albums)
            return a->albums > b->albums;
        const int byName = CompareNames(spelling(*a), spelling(*b));
        return byName != 0 ? byName < 0 : spelling(*a) < spelling(*b);
    };
    const std::size_t kept = std::min(limit, order.size());
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept), order.end(), before);
    std::vector<NamedCount> most;
    most.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i)
        most.push_back({std::string(spelling(*order[i])), order[i]->albums});
    return most;
}

} // namespace discora
