#pragma once

#include "base/AsciiCase.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text rules of the INI engine: name comparison and number forms.
namespace vantor::storage::initext {

// ASCII letters compare without regard to case; every other byte compares exactly.
// Inline: every section and key lookup runs it on each candidate.
inline bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    // From the end: numbered names ("Key1", "Acc12") share their beginnings and differ at the end.
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i] && base::lowerAscii(a[i]) != base::lowerAscii(b[i]))
            return false;
    }
    return true;
}
// A hash that is equal for names that are equal without regard to case.
std::uint64_t hashNoCase(std::string_view text);

// Optional leading blanks, optional sign, then decimal digits or "$" and hexadecimal digits; a leading
// "0x" (any case) counts as "$". Empty when the text is anything else or does not fit a 32-bit integer
// (hexadecimal values up to FFFFFFFF wrap into the negative range).
std::optional<int> parseInteger(std::string_view text);
// Hexadecimal digits only, at most FFFFFFFF; empty otherwise (also for the empty text).
std::optional<std::uint32_t> parseHex(std::string_view text);
// Exactly 8 upper-case hexadecimal digits.
std::string formatHex8(std::uint32_t value);

} // namespace vantor::storage::initext
