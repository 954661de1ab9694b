#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::records {

// The delimiter of the deleted-mail database.
inline constexpr char RecordDelimiter = ',';

// One database line from its values: each value trimmed of blanks and control characters at both ends and
// a line break inside it turned into a blank; a value holding "," or a double quote written in double
// quotes with its quotes doubled; the values joined with "," and every trailing "," removed.
std::string formatRecord(const std::vector<std::string>& values);

// The first fieldCount values of a database line (missing ones empty). Reads what formatRecord writes and
// also lines written before quotes were doubled: a lone quote inside a quoted value is kept as it is, and
// an unterminated quote runs to the end of the line, quote included.
std::vector<std::string> parseRecord(std::string_view line, std::size_t fieldCount);

} // namespace vantor::records
