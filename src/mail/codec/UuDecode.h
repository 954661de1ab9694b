#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantor::mail::codec {

// Decodes one uuencoded line (no line break) and appends its bytes to out; returns the byte count n
// given by the first character. A line whose data falls short of n is filled with zero bytes.
// Returns 0 and appends nothing for an error: a character outside the uuencode alphabet (space and
// "`" are 0), more than 60 data characters, or n above 45. So "begin"/"end" lines yield nothing.
std::size_t decodeUuLine(std::string_view line, std::string& out);

// Bytes of every non-empty line of text (lines end at LF; a CR before it is removed) through
// decodeUuLine; bad lines contribute nothing. Never fails.
[[nodiscard]] std::string decodeUuText(std::string_view text);

} // namespace vantor::mail::codec
