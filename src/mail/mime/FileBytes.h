#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantor::mail::mime {

// The whole content of a file; throws std::filesystem::filesystem_error (with the system's error) when
// it cannot be opened or read, a directory included.
[[nodiscard]] std::string readFileBytes(const std::filesystem::path& path);

// Replaces the file with bytes through base::AtomicFile (a failure leaves the old file as it was); throws
// std::filesystem::filesystem_error when that fails.
void writeFileBytes(const std::filesystem::path& path, std::string_view bytes);

} // namespace vantor::mail::mime
