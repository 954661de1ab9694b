#pragma once

#include <string>
#include <string_view>

// Small helpers for the ends of header values and bodies: trimming them, cutting a text at its first
// NUL byte, and putting a value in double quotes.
namespace vantor::mail::mime {

// Text up to its first NUL byte.
[[nodiscard]] std::string_view untilNul(std::string_view text);

// Leading and trailing bytes up to and including the space (controls, blanks) removed.
[[nodiscard]] std::string_view trimAll(std::string_view text);

// text between two double quotes, as written.
[[nodiscard]] std::string doubleQuoted(std::string_view text);

} // namespace vantor::mail::mime
