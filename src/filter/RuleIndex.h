#pragma once

#include "filter/FieldView.h"
#include "filter/PatternTrie.h"
#include "filter/Profile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vantor::filter {

// One rule list prepared for matching many messages: the active rules grouped by the field they look at
// and their letter-case rule, each group answering all its rules with hash lookups and pattern tries.
// Gives the same first matching rule as trying the rules one by one.
class RuleIndex
{
public:
    RuleIndex(RuleList list, const std::vector<FilterRule>& rules);

    // Position of the first rule in list order that matches; nothing when none does.
    std::optional<std::size_t> firstMatch(const FieldView& fields) const;

private:
    struct Hash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept
        {
            return std::hash<std::string_view>{}(text);
        }
    };

    struct Group
    {
        Group(FieldKind kind, bool isCaseSensitive)
            : field(kind)
            , caseSensitive(isCaseSensitive)
            , prefixes(PatternTrie::Direction::Forward, !isCaseSensitive)
            , suffixes(PatternTrie::Direction::Backward, !isCaseSensitive)
            , contained(PatternTrie::Direction::Forward, !isCaseSensitive)
        {}

        FieldKind field;
        bool caseSensitive;
        // "Equals" patterns, lowered unless case-sensitive.
        std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> equals;
        // The tries fold the letter case themselves and read the field as it is.
        PatternTrie prefixes;
        PatternTrie suffixes;
        PatternTrie contained;
        // Lowest position of a "Starts with" or "Ends with" rule with an empty pattern: matches always.
        std::size_t always = PatternTrie::NoMatch;

        // The lowest position below bound of a rule of the group matching the message; bound when none is.
        std::size_t firstMatch(const FieldView& fields, std::size_t bound) const;
    };

    Group& groupFor(FieldKind field, bool caseSensitive);

    std::vector<Group> m_groups;
};

} // namespace vantor::filter
