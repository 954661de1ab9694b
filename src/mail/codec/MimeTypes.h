#pragma once

#include <string>
#include <string_view>

namespace vantor::mail::codec {

// Content type registered for the extension of fileName (after its last "."; a path before the name,
// with "/", "\\" or ":", is ignored), e.g. "image/jpeg" for "C:\\Photos\\A.JPG".
// "application/octet-stream" when the name has no extension or none is registered.
[[nodiscard]] std::string mimeTypeForFile(std::string_view fileName);

// Preferred extension, with its dot, registered for mimeType (any case, aliases accepted), e.g.
// ".txt" for "text/plain"; empty when the type is unknown or has none.
[[nodiscard]] std::string extensionForMimeType(std::string_view mimeType);

} // namespace vantor::mail::codec
