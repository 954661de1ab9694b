#pragma once

#include <optional>
#include <string_view>

namespace vantor::filter {

// A rule count as stored in "General": a decimal number with an optional "-" sign. Any other text,
// including surrounding blanks and numbers beyond the integer range, counts as 0.
int countFromText(std::string_view text);

// The number n that a numbered name such as "Fil1-<n>" or "DomainValue<n>" was built from: decimal digits
// without sign or leading zero, at least 1, within the integer range. Anything else gives nothing.
std::optional<int> numberSuffix(std::string_view text);

} // namespace vantor::filter
