#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vantor::filter {

// The names of the stored profiles or black lists in dir: every entry that is not a directory and whose
// name does not begin with ".", minus its last four characters, in the directory's enumeration order.
// A missing or unreadable directory gives an empty list.
std::vector<std::string> listStoreNames(const std::filesystem::path& dir);

} // namespace vantor::filter
