#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace vantor::base {

// Reads the whole file into bytes. Returns the system error (generic category: ENOENT for a missing file,
// EISDIR for a directory) or an empty error_code; bytes is left empty on failure.
[[nodiscard]] std::error_code readFile(const std::filesystem::path& path, std::string& bytes);

// The same, as std::filesystem does it without an error_code: the bytes, or a
// std::filesystem::filesystem_error carrying the system error and the path.
[[nodiscard]] std::string readFile(const std::filesystem::path& path);

} // namespace vantor::base
