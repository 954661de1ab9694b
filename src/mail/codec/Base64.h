#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantor::mail::codec {

// Base64 of source in lines of 76 characters (57 input bytes), each line ending with CR LF, the last
// one too; empty source gives empty output.
[[nodiscard]] std::string encodeBase64Stream(std::string_view source);

// First line (without CR LF, at most 76 characters) of the base64 form of text, after its line breaks
// are made CR LF and a final line break is dropped; used for short secrets such as AUTH LOGIN.
[[nodiscard]] std::string encodeBase64Text(std::string_view text);

// Decodes one line and appends the bytes to out; returns how many were appended. Characters outside the
// alphabet are skipped; a group "xx==" gives 1 byte, "xxx=" 2, a group with "=" first or second none;
// a trailing incomplete group is dropped. Any line length works. Never fails.
std::size_t decodeBase64Line(std::string_view line, std::string& out);

// Decodes a whole base64 body line by line (a line ends at LF): each line with leading blanks and
// trailing spaces removed goes through decodeBase64Line. Never fails.
[[nodiscard]] std::string decodeBase64Lines(std::string_view text);

} // namespace vantor::mail::codec
