#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::mime {

// Lines of text broken at CR LF, a lone CR or a lone LF; a final line break adds no empty line.
[[nodiscard]] std::vector<std::string> splitTextLines(std::string_view text);

// Every line followed by CR LF.
[[nodiscard]] std::string joinCrlf(const std::vector<std::string>& lines);

// Text with every line break (CR LF, CR, LF) made CR LF; a final line break stays a final CR LF.
[[nodiscard]] std::string normaliseLineBreaks(std::string_view text);

// Text up to its first NUL byte.
[[nodiscard]] std::string_view untilNul(std::string_view text);

// Leading and trailing bytes up to and including the space (controls, blanks) removed.
[[nodiscard]] std::string_view trimAll(std::string_view text);

// text between two double quotes, as written.
[[nodiscard]] std::string doubleQuoted(std::string_view text);

// ASCII comparison without regard to letter case.
[[nodiscard]] bool equalsIgnoreCase(std::string_view a, std::string_view b);
[[nodiscard]] bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);
[[nodiscard]] std::string toLowerAscii(std::string_view text);

} // namespace vantor::mail::mime
