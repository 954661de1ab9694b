#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::mime {

// Text with every line break (CR LF, CR, LF) made CR LF; a final line break stays a final CR LF.
[[nodiscard]] std::string normaliseLineBreaks(std::string_view text);

// Text up to its first NUL byte.
[[nodiscard]] std::string_view untilNul(std::string_view text);

// Leading and trailing bytes up to and including the space (controls, blanks) removed.
[[nodiscard]] std::string_view trimAll(std::string_view text);

// text between two double quotes, as written.
[[nodiscard]] std::string doubleQuoted(std::string_view text);

} // namespace vantor::mail::mime
