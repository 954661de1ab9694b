#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text rules of the INI engine: name comparison and number forms.
namespace vantor::storage::initext {

// ASCII letters compare without regard to case; every other byte compares exactly.
bool equalsNoCase(std::string_view a, std::string_view b);
std::string toLowerAscii(std::string_view text);

// Optional leading blanks, optional sign, then decimal digits or "$" and hexadecimal digits; a leading
// "0x" (any case) counts as "$". Empty when the text is anything else or does not fit a 32-bit integer
// (hexadecimal values up to FFFFFFFF wrap into the negative range).
std::optional<int> parseInteger(std::string_view text);
// Hexadecimal digits only, at most FFFFFFFF; empty otherwise (also for the empty text).
std::optional<std::uint32_t> parseHex(std::string_view text);
// Exactly 8 upper-case hexadecimal digits.
std::string formatHex8(std::uint32_t value);

} // namespace vantor::storage::initext
