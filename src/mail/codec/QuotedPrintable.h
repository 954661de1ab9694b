#pragma once

#include <string>
#include <string_view>

namespace vantor::mail::codec {

// Quoted-printable form of text. Body mode escapes "=", bytes above 126, control bytes other than
// tab/CR/LF and bare CR or LF, protects blanks before line ends and cuts lines longer than 71
// characters with soft breaks that never split an escape; the result ends with CR LF.
// Header mode additionally escapes blanks, CR, LF, quotes, "(", ")", "<", ">", "?" and "_", and never
// breaks lines. Empty text gives empty output. Never fails.
[[nodiscard]] std::string encodeQuotedPrintable(std::string_view text, bool headerMode);

// Bytes of quoted-printable text. "=" CR LF (or "=" LF) is a soft break; "=" with two upper-case hex digits
// is a byte; any other "=XY" is dropped; an "=" with fewer than two characters after it ends the output.
// Other bytes (NUL included) are copied. Never fails.
[[nodiscard]] std::string decodeQuotedPrintable(std::string_view text);

// As decodeQuotedPrintable, but "_" reads as a space and lower-case escapes count (the Q encoding of
// encoded words, where mail programs write "=e8" as often as "=E8").
[[nodiscard]] std::string decodeQEncoding(std::string_view text);

} // namespace vantor::mail::codec
