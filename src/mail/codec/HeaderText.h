#pragma once

#include <string>
#include <string_view>

namespace vantor::mail::codec {

// text unchanged when header-mode quoted-printable leaves it unchanged, else the whole text as one
// encoded word "=?" + charset + "?Q?" + encoded + "?=" (whatever its length).
[[nodiscard]] std::string encodeHeaderText(std::string_view text, std::string_view charset);

// Header value (trimmed with trimBlanks) with every encoded word "=?charset?X?text?=" replaced by its
// bytes (B/b base64, U one uuencoded line, any other letter Q) up to the first NUL, converted from the
// declared charset to UTF-8 (unknown charsets keep the bytes). Blanks between words are kept; decoded
// text is not scanned again; an unterminated word stays as it is. Never fails.
[[nodiscard]] std::string decodeHeaderText(std::string_view text);

} // namespace vantor::mail::codec
