#include "filter/FilterSources.h"

#include "base/TextLines.h"
#include "filter/ProfileReader.h"
#include "storage/FileBytes.h"
#include "storage/IniFile.h"

#include <filesystem>

namespace vantor::filter {

namespace {

std::shared_ptr<const OpenedProfile> parseProfile(const std::string& path, bool indexed)
{
    const storage::IniFile document(path);
    return std::make_shared<const OpenedProfile>(ProfileReader::read(document), indexed);
}

std::shared_ptr<const FirstMatchList> parseBlackList(std::string_view bytes, bool indexed)
{
    return std::make_shared<const FirstMatchList>(base::splitLines(bytes), indexed);
}

bool isRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

FilterSources::FilterSources(std::string homeDir, bool cached, const base::Clock& clock)
    : m_homeDir(std::move(homeDir))
    , m_cached(cached)
    , m_profiles(m_homeDir)
    , m_blackLists(m_homeDir)
    , m_profileCache([](const std::string& path, std::string_view) { return parseProfile(path, true); },
                     clock)
    , m_blackListCache([](const std::string&, std::string_view bytes) { return parseBlackList(bytes, true); },
                       clock)
    , m_emptyProfile(std::make_shared<const OpenedProfile>(Profile{}, cached))
    , m_emptyList(std::make_shared<const FirstMatchList>())
{}

FilterSources::OpenedProfileResult FilterSources::openProfile(std::string_view name)
{
    if (auto profile = loadProfile(m_profiles.path(name)))
        return {std::move(profile), false};
    if (auto profile = loadProfile(m_profiles.path(ProfileStore::DefaultName)))
        return {std::move(profile), true};
    return {m_emptyProfile, true};
}

FilterSources::OpenedBlackListResult FilterSources::openBlackList(std::string_view name)
{
    if (auto list = loadBlackList(m_blackLists.path(name)))
        return {std::move(list), false};
    // Without any list file there is nobody to block; the fallback is still reported.
    if (auto list = loadBlackList(m_blackLists.path(BlackListStore::DefaultName)))
        return {std::move(list), true};
    return {m_emptyList, true};
}

std::shared_ptr<const OpenedProfile> FilterSources::loadProfile(const std::string& path)
{
    if (m_cached)
        return m_profileCache.get(path);
    if (!isRegularFile(path))
        return nullptr;
    return parseProfile(path, false);
}

std::shared_ptr<const FirstMatchList> FilterSources::loadBlackList(const std::string& path)
{
    if (m_cached)
        return m_blackListCache.get(path);
    if (!isRegularFile(path))
        return nullptr;
    const std::optional<std::string> bytes = storage::filebytes::read(path);
    return bytes ? parseBlackList(*bytes, false) : nullptr;
}

} // namespace vantor::filter
