#include "filter/NumberText.h"

#include <charconv>

namespace vantor::filter {

int countFromText(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return value;
}

std::optional<int> numberSuffix(std::string_view text)
{
    if (text.empty() || text.front() < '1' || text.front() > '9')
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace vantor::filter
