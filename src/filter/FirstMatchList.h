#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
    struct Hash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
    };

    std::optional<std::size_t> firstIndexOf(std::string_view text) const;

    std::vector<std::string> m_entries;
    bool m_indexed = false;
    // Each distinct entry with the position of its first occurrence.
    std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> m_firstIndex;
};

} // namespace vantor::filter
