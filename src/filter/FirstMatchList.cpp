#include "filter/FirstMatchList.h"

#include <algorithm>

namespace vantor::filter {

FirstMatchList::FirstMatchList(std::vector<std::string> entries, bool indexed)
    : m_entries(std::move(entries))
    , m_indexed(indexed)
{
    if (!m_indexed)
        return;
    m_firstIndex.reserve(m_entries.size());
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_firstIndex.try_emplace(m_entries[i], i);
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
    const auto found = m_firstIndex.find(text);
    if (found == m_firstIndex.end())
        return std::nullopt;
    return found->second;
}

} // namespace vantor::filter
