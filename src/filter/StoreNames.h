#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::filter {

// The names of the stored profiles or black lists in dir: every entry that is not a directory and whose
// name does not begin with ".", minus its last four characters, in the directory's enumeration order.
// A missing or unreadable directory gives an empty list.
std::vector<std::string> listStoreNames(const std::filesystem::path& dir);

// home + "/" + dir + "/" + name + extension (no second "/" when home already ends with one). Built as
// plain text: the engine asks for it for every message.
std::string storeFilePath(const std::string& homeDir, std::string_view dir, std::string_view name,
                          std::string_view extension);

} // namespace vantor::filter
