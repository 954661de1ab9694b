#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::filter {

// An ordered list of entries (black list lines, bad domain endings) searched for the first entry that
// equals either of two texts exactly. An indexed list answers through a hash index with the same result
// as trying the entries in order with two comparisons each.
class FirstMatchList
{
public:
    FirstMatchList() = default;
    explicit FirstMatchList(std::vector<std::string> entries, bool indexed = true);

    const std::vector<std::string>& entries() const { return m_entries; }
    // Position of the first entry equal to first or to second (case-sensitive); nothing when none is.
    std::optional<std::size_t> firstMatch(std::string_view first, std::string_view second) const;

private:
    // One slot of the open-addressing index: the hash of a distinct entry and the position of its first
    // occurrence. Keeping the hash beside the position means a lookup that finds nothing touches only
    // the index, which matters for lists of a hundred thousand lines.
    struct Slot
    {
        std::uint64_t hash = 0;
        std::uint32_t position = Empty;
    };
    static constexpr std::uint32_t Empty = UINT32_MAX;

    void buildIndex();
    std::optional<std::size_t> firstIndexOf(std::string_view text) const;

    std::vector<std::string> m_entries;
    bool m_indexed = false;
    std::vector<Slot> m_slots;
};

} // namespace vantor::filter
