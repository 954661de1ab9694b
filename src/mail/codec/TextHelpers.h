#pragma once

#include <string>
#include <string_view>

namespace vantor::mail::codec {

// View of text without leading spaces and tabs and without trailing spaces (a trailing tab stays).
// The view points into the argument: keep the argument alive.
[[nodiscard]] std::string_view trimBlanks(std::string_view text);

// name trimmed, cut to 254 bytes, with every byte below 32 and every one of :\/*?"<>|' made "_".
[[nodiscard]] std::string safeFileName(std::string_view name);

// Field number index (from 0) of text split at any separator byte. An opener byte starts a bracketed
// run up to the closer at the same position in closers; the run, brackets included, belongs to no field
// and its separators do not count. A byte that is both opener and closer always opens, so it hides the
// rest of the text. Empty when there is no such field.
[[nodiscard]] std::string extractField(int index, std::string_view text, std::string_view separators,
                                       std::string_view closers, std::string_view openers);

// True for a dotted decimal number: every piece between dots is one or more digits ("12", "300.1.1");
// false for empty text, empty pieces ("1..2"), signs or letters.
[[nodiscard]] bool isIPAddress(std::string_view text);

} // namespace vantor::mail::codec
