#pragma once

#include "filter/BlackListStore.h"
#include "filter/FileCache.h"
#include "filter/FirstMatchList.h"
#include "filter/OpenedProfile.h"
#include "filter/ProfileStore.h"

#include <memory>
#include <string>
#include <string_view>

namespace vantor::filter {

// Opens the profiles and black lists the filter needs, falling back to the default ones. Every open sees
// the files as they are at that moment. Cached, a file that did not change since its last open is not
// parsed again and comes back prepared for fast matching; uncached, every open reads and parses afresh.
class FilterSources
{
public:
    // clock: the time the cache looks at a file, to tell a file modified moments ago; it must outlive this.
    FilterSources(std::string homeDir, bool cached, const base::Clock& clock);

    struct OpenedProfileResult
    {
        std::shared_ptr<const OpenedProfile> profile;
        // The named profile's file was missing and the default profile was used.
        bool usedDefault = false;
    };

    struct OpenedBlackListResult
    {
        std::shared_ptr<const FirstMatchList> list;
        // The named list's file was missing and the default list was used.
        bool usedDefault = false;
    };

    // The named profile, else "Default", else an empty profile (every reader default).
    // Throws storage::IniError when the file to use exists but cannot be read.
    OpenedProfileResult openProfile(std::string_view name);
    // The named black list, else "Default", else an empty list.
    // Throws storage::IniError when the file to use exists but cannot be read.
    OpenedBlackListResult openBlackList(std::string_view name);

    const std::string& homeDir() const { return m_homeDir; }

private:
    std::shared_ptr<const OpenedProfile> loadProfile(const std::string& path);
    std::shared_ptr<const FirstMatchList> loadBlackList(const std::string& path);

    std::string m_homeDir;
    bool m_cached;
    ProfileStore m_profiles;
    BlackListStore m_blackLists;
    FileCache<OpenedProfile> m_profileCache;
    FileCache<FirstMatchList> m_blackListCache;
    std::shared_ptr<const OpenedProfile> m_emptyProfile;
    std::shared_ptr<const FirstMatchList> m_emptyList;
};

} // namespace vantor::filter
