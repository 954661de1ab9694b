#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::codec {

// Header lines (any mix of CR LF, LF, CR line breaks) with every line longer than 72 characters folded
// at its last space, "," or ";" at position 72 or before that is outside quotes and after the field
// name ("Name: "); continuation lines start with a tab. Lines that cannot be folded stay whole. Every
// output line ends with CR LF; trailing line breaks of the input are dropped first.
[[nodiscard]] std::string foldHeaderLines(std::string_view text);

// The same for one header field per entry (entries joined with CR LF first).
[[nodiscard]] std::string foldHeaderLines(const std::vector<std::string>& lines);

} // namespace vantor::mail::codec
