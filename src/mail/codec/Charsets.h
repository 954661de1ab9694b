#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantor::mail::codec {

// Bytes in the named charset (MIME name or common alias, any case, an RFC 2231 "*language" suffix
// ignored) converted to UTF-8. Never fails and never drops text: every byte that is not valid in the
// named charset reads as Latin-1; no charset, US-ASCII and unknown charsets read as UTF-8 where the
// bytes are well-formed UTF-8 and as Latin-1 where they are not. Labels that mail programs use for a
// superset (GB2312 for GBK, EUC-KR for Windows-949, Shift_JIS for Windows-31J, Big5 for HKSCS) read
// as that superset.
[[nodiscard]] std::string decodeCharset(std::string_view bytes, std::string_view charset);

// Whether the text is well-formed UTF-8 throughout.
[[nodiscard]] bool isWellFormedUtf8(std::string_view text);

// Length of the well-formed UTF-8 sequence starting at bytes[i] (1 for ASCII), or 0 when there is none.
[[nodiscard]] std::size_t utf8SequenceLength(std::string_view bytes, std::size_t i);

} // namespace vantor::mail::codec
