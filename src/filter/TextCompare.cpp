#include "filter/TextCompare.h"

#include <algorithm>

namespace vantor::filter {

namespace {

char lowerChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

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

std::string lowerAscii(std::string_view text)
{
    std::string lowered(text);
    lowerAsciiInPlace(lowered);
    return lowered;
}

void lowerAsciiInPlace(std::string& text)
{
    std::transform(text.begin(), text.end(), text.begin(), lowerChar);
}

bool equalsLowerAscii(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerChar(x) == lowerChar(y); });
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
        lowerAsciiInPlace(compared.field);
        lowerAsciiInPlace(compared.pattern);
    }
    if (!conditionHolds(condition, compared.field, compared.pattern))
        return std::nullopt;
    return compared;
}

} // namespace vantor::filter
