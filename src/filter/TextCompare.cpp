#include "filter/TextCompare.h"

#include "base/AsciiCase.h"

#include <algorithm>

namespace vantor::filter {

std::optional<Condition> conditionFromText(std::string_view text)
{
    if (text == "Contains")
        return Condition::Contains;
    if (text == "Ends with")
        return Condition::EndsWith;
    if (text == "Equals")
        return Condition::Equals;
    if (text == "Starts with")
        return Condition::StartsWith;
    return std::nullopt;
}

std::string_view conditionText(Condition condition)
{
    switch (condition) {
    case Condition::Contains:
        return "Contains";
    case Condition::EndsWith:
        return "Ends with";
    case Condition::Equals:
        return "Equals";
    case Condition::StartsWith:
        break;
    }
    return "Starts with";
}

bool conditionHolds(Condition condition, std::string_view field, std::string_view pattern)
{
    switch (condition) {
    case Condition::Contains:
        return !pattern.empty() && field.find(pattern) != std::string_view::npos;
    case Condition::EndsWith:
        return field.ends_with(pattern);
    case Condition::Equals:
        return field == pattern;
    case Condition::StartsWith:
        break;
    }
    return field.starts_with(pattern);
}

std::optional<Comparison> compareTexts(std::string_view field, Condition condition, std::string_view pattern,
                                       bool caseSensitive)
{
    Comparison compared{std::string(field), std::string(pattern)};
    if (!caseSensitive) {
        base::lowerAsciiInPlace(compared.field);
        base::lowerAsciiInPlace(compared.pattern);
    }
    if (!conditionHolds(condition, compared.field, compared.pattern))
        return std::nullopt;
    return compared;
}

} // namespace vantor::filter
