#include "filter/ProfileStore.h"

#include "filter/ProfileReader.h"
#include "filter/ProfileWriter.h"
#include "filter/StoreNames.h"
#include "storage/IniFile.h"

#include <filesystem>

namespace vantor::filter {

namespace {

constexpr std::string_view ProfileDir = "Profile";
constexpr std::string_view ProfileExtension = ".vtf";

// Saving into a fresh home must not fail just because nobody has made the folder yet.
void ensureDirectory(const std::filesystem::path& dir)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
}

} // namespace

ProfileStore::ProfileStore(std::string homeDir)
    : m_homeDir(std::move(homeDir))
{}

std::string ProfileStore::path(std::string_view name) const
{
    return storeFilePath(m_homeDir, ProfileDir, name, ProfileExtension);
}

std::vector<std::string> ProfileStore::list() const
{
    return listStoreNames(std::filesystem::path(m_homeDir) / ProfileDir);
}

bool ProfileStore::exists(std::string_view name) const
{
    std::error_code error;
    return std::filesystem::is_regular_file(path(name), error);
}

Profile ProfileStore::read(std::string_view name) const
{
    const storage::IniFile document(path(name));
    return ProfileReader::read(document);
}

void ProfileStore::write(std::string_view name, const Profile& profile) const
{
    ensureDirectory(std::filesystem::path(m_homeDir) / ProfileDir);
    storage::IniFile document(path(name));
    ProfileWriter::write(document, profile);
    document.updateFile();
}

void ProfileStore::appendRule(std::string_view name, RuleList list, const FilterRule& rule) const
{
    ensureDirectory(std::filesystem::path(m_homeDir) / ProfileDir);
    storage::IniFile document(path(name));
    ProfileWriter::appendRule(document, list, rule);
    document.updateFile();
}

bool ProfileStore::remove(std::string_view name) const
{
    std::error_code error;
    return exists(name) && std::filesystem::remove(path(name), error);
}

} // namespace vantor::filter
