#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantor::mail::codec {

// bytes in the named charset (MIME name, any case, an RFC 2231 "*language" suffix ignored) converted to
// UTF-8; sequences invalid in that charset become U+FFFD. nullopt when the charset is unknown.
[[nodiscard]] std::optional<std::string> convertToUtf8(std::string_view bytes, std::string_view charset);

} // namespace vantor::mail::codec
