#include "filter/FirstMatchList.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace vantor::filter {

namespace {

std::uint64_t hashOf(std::string_view text)
{
    return std::hash<std::string_view>{}(text);
}

} // namespace

FirstMatchList::FirstMatchList(std::vector<std::string> entries, bool indexed)
    : m_entries(std::move(entries))
    , m_indexed(indexed)
{
    // Positions are stored in 32 bits; a list beyond that is searched one entry after the other.
    if (m_entries.size() >= Empty)
        m_indexed = false;
    if (m_indexed)
        buildIndex();
}

void FirstMatchList::buildIndex()
{
    m_slots.assign(std::bit_ceil(std::max<std::size_t>(m_entries.size() * 2, 8)), Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const std::uint64_t hash = hashOf(m_entries[i]);
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            Slot& candidate = m_slots[slot];
            if (candidate.position == Empty) {
                candidate = Slot{hash, static_cast<std::uint32_t>(i)};
                break;
            }
            // A repeated entry keeps the position of its first occurrence.
            if (candidate.hash == hash && m_entries[candidate.position] == m_entries[i])
                break;
        }
    }
}

std::optional<std::size_t> FirstMatchList::firstMatch(std::string_view first, std::string_view second) const
{
    if (!m_indexed) {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i] == first || m_entries[i] == second)
                return i;
        }
        return std::nullopt;
    }
    const std::optional<std::size_t> a = firstIndexOf(first);
    const std::optional<std::size_t> b = firstIndexOf(second);
    if (a && b)
        return std::min(*a, *b);
    return a ? a : b;
}

std::optional<std::size_t> FirstMatchList::firstIndexOf(std::string_view text) const
{
    const std::uint64_t hash = hashOf(text);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& candidate = m_slots[slot];
        if (candidate.position == Empty)
            return std::nullopt;
        if (candidate.hash == hash && m_entries[candidate.position] == text)
            return candidate.position;
    }
}

} // namespace vantor::filter
