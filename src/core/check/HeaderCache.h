#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace vantor::core {

// Headers fetched from one account's mailbox, by the unique id the server gives each message (UIDL), so an
// unchanged message need not cross the wire again. It keeps only bytes: every message is still judged from
// its header on every check. Held in memory for the account last opened and kept on disk, one file per
// account under home/Cache/, replaced atomically. A file that cannot be read whole (cut short, garbage,
// another account's) is ignored and rebuilt.
class HeaderCache
{
public:
    // The file of the account (server, port, user) under homeDir/Cache/.
    static std::filesystem::path filePath(const std::filesystem::path& homeDir, const std::string& host,
                                          int port, const std::string& userName);

    // Makes this the cache of the account: kept in memory when it is the one already open, else read
    // from its file (nothing when the file is missing or unreadable).
    void open(const std::filesystem::path& file, const std::string& account);
    // Keeps only the entries of the ids on the server now; the rest left the mailbox.
    void keepOnly(const std::vector<std::string>& ids);
    // The header kept for id; null when none.
    [[nodiscard]] const std::string* find(const std::string& id) const;
    void add(const std::string& id, std::string header);
    // Writes the file when the entries changed since it was read or written; false when that failed.
    bool save();
    [[nodiscard]] std::size_t size() const { return m_headers.size(); }

private:
    bool read();

    std::filesystem::path m_file;
    std::string m_account;
    std::unordered_map<std::string, std::string> m_headers;
    bool m_isChanged = false;
};

} // namespace vantor::core
