#pragma once

#include "filter/FieldView.h"
#include "filter/FirstMatchList.h"
#include "filter/Profile.h"
#include "filter/RuleIndex.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace vantor::filter {

// A profile read for evaluation. Indexed, its rule lists and bad domain list are prepared once for many
// messages; plain, every question tries the rules one by one. Both answer alike.
class OpenedProfile
{
public:
    OpenedProfile(Profile profile, bool indexed);

    const Profile& profile() const { return m_profile; }
    // Position of the first active rule of list that matches; nothing when none does.
    std::optional<std::size_t> firstMatchingRule(RuleList list, const FieldView& fields) const;
    // Position in profile().badDomainEndings of the first entry equal to ending or to domain.
    std::optional<std::size_t> firstBadDomain(std::string_view ending, std::string_view domain) const;

private:
    std::optional<std::size_t> firstMatchOneByOne(RuleList list, const FieldView& fields) const;

    Profile m_profile;
    bool m_indexed;
    // By list number - 1; only when indexed.
    std::vector<RuleIndex> m_indexes;
    FirstMatchList m_badDomains;
};

} // namespace vantor::filter
