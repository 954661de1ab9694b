#include "filter/BlackListStore.h"

#include "base/TextLines.h"
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
    return base::splitLines(*bytes);
}

void BlackListStore::write(std::string_view name, const std::vector<std::string>& lines) const
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(m_homeDir) / BlackListDir, error);
    storage::filebytes::replace(path(name), base::joinLinesCrLf(lines));
}

bool BlackListStore::remove(std::string_view name) const
{
    const std::string file = path(name);
    std::error_code error;
    return isRegularFile(file) && std::filesystem::remove(file, error);
}

} // namespace vantor::filter
