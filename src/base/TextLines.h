#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantor::base {

// Lines of text broken at CR LF, a lone CR or a lone LF; a line break at the very end adds no empty line,
// so "" gives no line and "a\r\n" one.
[[nodiscard]] std::vector<std::string> splitLines(std::string_view text);

// The lines, each followed by CR LF.
[[nodiscard]] std::string joinLinesCrLf(const std::vector<std::string>& lines);

// Text with every line break (CR LF, a lone CR or a lone LF) made CR LF; nothing else changes, so text
// without a final line break gets none.
[[nodiscard]] std::string normaliseLineBreaks(std::string_view text);

} // namespace vantor::base
