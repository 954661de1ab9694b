#pragma once

#include "base/AsciiCase.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// Text rules of the INI engine: name comparison and number forms.
namespace vantor::storage::initext {

using base::lowerAscii;

namespace detail {

template <typename Word> Word loadWord(const char* bytes)
{
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Equal bytes of two texts of one size, compared a word at a time (the last word may overlap the one
// before it).
inline bool sameBytes(const char* a, const char* b, std::size_t size)
{
    if (size >= 8) {
        for (std::size_t i = 0; i + 8 < size; i += 8) {
            if (loadWord<std::uint64_t>(a + i) != loadWord<std::uint64_t>(b + i))
                return false;
        }
        return loadWord<std::uint64_t>(a + size - 8) == loadWord<std::uint64_t>(b + size - 8);
    }
    if (size >= 4) {
        return loadWord<std::uint32_t>(a) == loadWord<std::uint32_t>(b) &&
               loadWord<std::uint32_t>(a + size - 4) == loadWord<std::uint32_t>(b + size - 4);
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

} // namespace detail

// ASCII letters compare without regard to case; every other byte compares exactly.
// Inline: every section and key lookup runs it on each candidate.
inline bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    // Names are mostly looked up as the file spells them, and equal bytes settle that without folding.
    if (detail::sameBytes(a.data(), b.data(), a.size()))
        return true;
    // From the end: numbered names ("Key1", "Fil1-12") share their beginnings and differ at the end.
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i] && lowerAscii(a[i]) != lowerAscii(b[i]))
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
