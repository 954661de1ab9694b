#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::proto {

// The envelope recipients of a comma-separated address text, sorted without regard to letter case and
// without duplicates (the first spelling of an address is kept). Items are separated by commas and by
// unquoted blanks; an item in double quotes may hold either (a doubled quote stands for one). Empty
// items are dropped.
[[nodiscard]] std::vector<std::string> sortedRecipients(std::string_view text);

} // namespace vantor::mail::proto
