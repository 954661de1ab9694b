#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantor::filter {

// The four conditions a rule can compare with.
enum class Condition
{
    Contains,
    EndsWith,
    Equals,
    StartsWith
};

// The condition named exactly (letter case and blank as stored); nothing for any other text.
std::optional<Condition> conditionFromText(std::string_view text);
// The stored name of a condition ("Contains", "Ends with", "Equals", "Starts with").
std::string_view conditionText(Condition condition);

// Whether field satisfies condition with pattern, both already in the letter case they are compared in.
// "Contains" never matches an empty pattern; "Starts with" and "Ends with" match it always.
bool conditionHolds(Condition condition, std::string_view field, std::string_view pattern);

// The two texts as a rule compared them (in lower case unless the rule is case-sensitive).
struct Comparison
{
    std::string field;
    std::string pattern;
};

// One rule comparison: lowers both sides unless caseSensitive, then tests the condition.
// Returns the compared texts on a match.
std::optional<Comparison> compareTexts(std::string_view field, Condition condition, std::string_view pattern,
                                       bool caseSensitive);

} // namespace vantor::filter
