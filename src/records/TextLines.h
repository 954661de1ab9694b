#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantor::records {

// Splits text into lines at CR, LF or CR LF; a line break at the very end adds no empty line,
// so "" gives no line and "a\r\n" one.
std::vector<std::string> splitLines(std::string_view text);

// The lines, each followed by CR LF.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

} // namespace vantor::records
