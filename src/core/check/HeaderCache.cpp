#include "core/check/HeaderCache.h"

#include "base/AtomicFile.h"
#include "base/FileReader.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <unordered_set>

namespace vantor::core {

namespace {

constexpr std::string_view Magic = "VantorHeaderCache 1\n";
constexpr std::string_view EndLine = "end\n";
// Far more than the largest mailbox this program is meant for; a bigger count is garbage.
constexpr std::size_t MaxEntries = 10'000'000;

std::uint64_t fnv1a(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// Reads "<decimal>" ended by `end` at pos; advances pos past the end character.
bool readNumber(std::string_view text, std::size_t& pos, char end, std::size_t& value)
{
    const std::size_t stop = text.find(end, pos);
    if (stop == std::string_view::npos || stop == pos)
        return false;
    const auto [last, error] = std::from_chars(text.data() + pos, text.data() + stop, value);
    if (error != std::errc() || last != text.data() + stop)
        return false;
    pos = stop + 1;
    return true;
}

} // namespace

std::filesystem::path HeaderCache::filePath(const std::filesystem::path& homeDir, const std::string& host,
                                            int port, const std::string& userName)
{
    const std::string account = userName + '@' + host + ':' + std::to_string(port);
    // A readable name for people, and a hash so that names that clean up alike stay apart.
    std::string name;
    for (const char c : account.substr(0, 64))
        name += (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '@') ? c : '_';
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(account)));
    return homeDir / "Cache" / (name + '-' + hash + ".vhc");
}

void HeaderCache::open(const std::filesystem::path& file, const std::string& account)
{
    if (file == m_file && account == m_account)
        return;
    m_file = file;
    m_account = account;
    m_headers.clear();
    m_isChanged = false;
    if (!read()) {
        m_headers.clear();
        // Whatever lies there is replaced at the next save.
        m_isChanged = true;
    }
}

bool HeaderCache::read()
{
    std::error_code error;
    if (!std::filesystem::exists(m_file, error))
        return true;
    std::string bytes;
    if (base::readFile(m_file, bytes))
        return false;
    const std::string_view text = bytes;
    if (!text.starts_with(Magic))
        return false;
    std::size_t pos = Magic.size();
    const std::size_t accountEnd = text.find('\n', pos);
    if (accountEnd == std::string_view::npos || text.substr(pos, accountEnd - pos) != m_account)
        return false;
    pos = accountEnd + 1;
    std::size_t count = 0;
    if (!readNumber(text, pos, '\n', count) || count > MaxEntries)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t idLength = 0;
        std::size_t headerLength = 0;
        if (!readNumber(text, pos, ' ', idLength) || !readNumber(text, pos, '\n', headerLength))
            return false;
        if (idLength == 0 || idLength > 70 || text.size() - pos < idLength + headerLength + 1)
            return false;
        std::string id(text.substr(pos, idLength));
        pos += idLength;
        std::string header(text.substr(pos, headerLength));
        pos += headerLength;
        if (text[pos++] != '\n')
            return false;
        if (!m_headers.emplace(std::move(id), std::move(header)).second)
            return false;
    }
    // Only a file that ends where it says it ends was written whole.
    return text.substr(pos) == EndLine;
}

void HeaderCache::keepOnly(const std::vector<std::string>& ids)
{
    const std::unordered_set<std::string_view> present(ids.begin(), ids.end());
    const std::size_t before = m_headers.size();
    std::erase_if(m_headers, [&](const auto& entry) { return !present.contains(entry.first); });
    m_isChanged = m_isChanged || m_headers.size() != before;
}

const std::string* HeaderCache::find(const std::string& id) const
{
    const auto found = m_headers.find(id);
    return found == m_headers.end() ? nullptr : &found->second;
}

void HeaderCache::add(const std::string& id, std::string header)
{
    if (id.empty())
        return;
    m_headers.insert_or_assign(id, std::move(header));
    m_isChanged = true;
}

bool HeaderCache::save()
{
    if (!m_isChanged || m_file.empty())
        return true;
    std::error_code error;
    std::filesystem::create_directories(m_file.parent_path(), error);
    std::string text;
    text.reserve(64 + m_headers.size() * 64);
    text += Magic;
    text += m_account + '\n';
    text += std::to_string(m_headers.size()) + '\n';
    for (const auto& [id, header] : m_headers) {
        text += std::to_string(id.size()) + ' ' + std::to_string(header.size()) + '\n';
        text += id;
        text += header;
        text += '\n';
    }
    text += EndLine;
    // Headers name who writes to the user and about what: readable by the user alone, like account.vta.
    if (base::AtomicFile::write(m_file, text, 0600))
        return false;
    m_isChanged = false;
    return true;
}

} // namespace vantor::core
