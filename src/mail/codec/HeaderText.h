#pragma once

#include <string>
#include <string_view>

namespace vantor::mail::codec {

// text unchanged when header-mode quoted-printable leaves it unchanged, else the whole text as one
// encoded word "=?" + charset + "?Q?" + encoded + "?=" (whatever its length).
[[nodiscard]] std::string encodeHeaderText(std::string_view text, std::string_view charset);

// Header value (trimmed with trimBlanks) with every encoded word "=?charset?X?text?=" replaced by its
// text in UTF-8 (B/b base64, U one uuencoded line, any other letter Q; blanks inside the encoded text
// ignored), up to the first NUL. Blanks between two adjacent words are dropped, and adjacent words of
// one charset are converted as one text. Decoded text is not scanned again; an unterminated word stays
// as it is; a charset holding a blank does not make a word. Never fails.
[[nodiscard]] std::string decodeHeaderText(std::string_view text);

} // namespace vantor::mail::codec
