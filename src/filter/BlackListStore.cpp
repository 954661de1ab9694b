#include "filter/BlackListStore.h"

#include "filter/StoreNames.h"
#include "storage/FileBytes.h"

#include <filesystem>

namespace vantor::filter {

namespace {

constexpr std::string_view BlackListDir = "BList";
constexpr std::string_view BlackListExtension = ".vtl";

bool isRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

BlackListStore::BlackListStore(std::string homeDir)
    : m_homeDir(std::move(homeDir))
{}

std::string BlackListStore::path(std::string_view name) const
{
    return storeFilePath(m_homeDir, BlackListDir, name, BlackListExtension);
}

std::vector<std::string> BlackListStore::list() const
{
    return listStoreNames(std::filesystem::path(m_homeDir) / BlackListDir);
}

bool BlackListStore::exists(std::string_view name) const
{
    return isRegularFile(path(name));
}

std::optional<std::vector<std::string>> BlackListStore::read(std::string_view name) const
{
    const std::string file = path(name);
    if (!isRegularFile(file))
        return std::nullopt;
    const std::optional<std::string> bytes = storage::filebytes::read(file);
    if (!bytes)
        return std::nullopt;
    return splitLines(*bytes);
}

void BlackListStore::write(std::string_view name, const std::vector<std::string>& lines) const
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(m_homeDir) / BlackListDir, error);
    std::string bytes;
    for (const std::string& line : lines)
        bytes.append(line).append("\r\n");
    storage::filebytes::replace(path(name), bytes);
}

bool BlackListStore::remove(std::string_view name) const
{
    const std::string file = path(name);
    std::error_code error;
    return isRegularFile(file) && std::filesystem::remove(file, error);
}

std::vector<std::string> BlackListStore::splitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

} // namespace vantor::filter
