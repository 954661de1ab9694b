#pragma once

#include <string>
#include <string_view>

namespace vantor::mail::mime {

// A base64 body decoded line by line (a line ends at LF), exactly as the codec's line decoder treats
// each line; well-formed lines take a fast path that writes straight into the result.
[[nodiscard]] std::string decodeBase64Body(std::string_view text);

} // namespace vantor::mail::mime
