#pragma once

#include <string>
#include <string_view>

// Letter case of the ASCII letters A to Z only: mail header names, INI names, addresses and file names
// compare this way, whatever the user's locale.
namespace vantor::base {

constexpr char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

[[nodiscard]] std::string toLowerAscii(std::string_view text);
void lowerAsciiInPlace(std::string& text);
[[nodiscard]] bool equalsIgnoreCase(std::string_view a, std::string_view b);
[[nodiscard]] bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);

} // namespace vantor::base
