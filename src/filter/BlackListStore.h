#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::filter {

// The black lists of one home directory: plain text files "BList/<name>.vtl", one entry per line.
class BlackListStore
{
public:
    // The fallback list of every profile whose list file is missing.
    inline static constexpr std::string_view DefaultName = "Default";

    explicit BlackListStore(std::string homeDir);

    // home + "BList/" + name + ".vtl".
    std::string path(std::string_view name) const;
    // The stored list names (see listStoreNames); empty when the directory is missing.
    std::vector<std::string> list() const;
    // The list's file exists (a regular file).
    bool exists(std::string_view name) const;

    // The list's lines, used unchanged; nothing when the file is missing.
    // Throws storage::IniError when the file exists but cannot be read.
    std::optional<std::vector<std::string>> read(std::string_view name) const;
    // Replaces the file with lines, each ending with CR LF; the old file stays intact when writing fails.
    // Creates "BList" when missing. Throws storage::IniError.
    void write(std::string_view name, const std::vector<std::string>& lines) const;
    // Removes the list's file; false when there was none or it could not be removed.
    bool remove(std::string_view name) const;

private:
    std::string m_homeDir;
};

} // namespace vantor::filter
