#pragma once

#include "filter/Profile.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor::filter {

// The filter profiles of one home directory: one INI file "Profile/<name>.vtf" per profile.
// Every operation opens the file afresh and releases it before returning.
class ProfileStore
{
public:
    // The fallback profile of every account whose own profile file is missing.
    inline static constexpr std::string_view DefaultName = "Default";

    explicit ProfileStore(std::string homeDir);

    // home + "Profile/" + name + ".vtf".
    std::string path(std::string_view name) const;
    // The stored profile names (see listStoreNames); empty when the directory is missing.
    std::vector<std::string> list() const;
    // The profile's file exists (a regular file).
    bool exists(std::string_view name) const;

    // The whole profile with every reader default for a missing key; a missing file reads as an empty one.
    // Rule sections that are missing or beyond the list's count are not part of the lists.
    // Throws storage::IniError when the file exists but cannot be read.
    Profile read(std::string_view name) const;
    // Replaces the profile's content: every old section is erased, then the sections and keys are written
    // in their fixed order, with all 250 main-level-domain entries. Creates "Profile" when missing.
    // Throws storage::IniError when the file cannot be written.
    void write(std::string_view name, const Profile& profile) const;
    // Adds rule at the end of one list and raises that list's count by one; Case and Check are written
    // as the rule holds them, no Description. Throws storage::IniError when the file cannot be written.
    void appendRule(std::string_view name, RuleList list, const FilterRule& rule) const;
    // Removes the profile's file; false when there was none or it could not be removed.
    bool remove(std::string_view name) const;

private:
    std::string m_homeDir;
};

} // namespace vantor::filter
