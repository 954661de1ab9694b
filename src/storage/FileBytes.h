#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and crash-safe whole-file replacement for the INI engine, failures thrown as IniError.
namespace vantor::storage::filebytes {

// The file's bytes; empty when the file does not exist. Throws IniError when it exists but cannot be read.
std::optional<std::string> read(const std::string& path);

// Replaces the file's content with bytes through base::AtomicFile: a failure at any point leaves the
// previous file as it was. The file keeps its permission bits, or gets forcedMode (e.g. 0600).
// Throws IniError.
void replace(const std::string& path, std::string_view bytes,
             std::optional<unsigned> forcedMode = std::nullopt);

// The message of an IniError for an errno value: "File not found", "File access denied", "Disk full",
// or "I/O error %d".
std::string errorText(int error);

} // namespace vantor::storage::filebytes
