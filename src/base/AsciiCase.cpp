#include "base/AsciiCase.h"

#include <algorithm>

namespace vantor::base {

std::string toLowerAscii(std::string_view text)
{
    std::string result(text);
    lowerAsciiInPlace(result);
    return result;
}

void lowerAsciiInPlace(std::string& text)
{
    std::transform(text.begin(), text.end(), text.begin(), lowerAscii);
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

} // namespace vantor::base
