#include "filter/OpenedProfile.h"

#include "filter/RuleTarget.h"
#include "filter/TextCompare.h"

namespace vantor::filter {

OpenedProfile::OpenedProfile(Profile profile, bool indexed)
    : m_profile(std::move(profile))
    , m_indexed(indexed)
    , m_badDomains(m_profile.badDomainEndings, indexed)
{
    if (!m_indexed)
        return;
    for (RuleList list : {RuleList::Sender, RuleList::Subject, RuleList::Headers, RuleList::Exceptions})
        m_indexes.emplace_back(list, m_profile.rules(list));
}

std::optional<std::size_t> OpenedProfile::firstMatchingRule(RuleList list, const FieldView& fields) const
{
    if (!m_indexed)
        return firstMatchOneByOne(list, fields);
    return m_indexes[static_cast<std::size_t>(list) - 1].firstMatch(fields);
}

std::optional<std::size_t> OpenedProfile::firstBadDomain(std::string_view ending,
                                                         std::string_view domain) const
{
    return m_badDomains.firstMatch(ending, domain);
}

std::optional<std::size_t> OpenedProfile::firstMatchOneByOne(RuleList list, const FieldView& fields) const
{
    const std::vector<FilterRule>& rules = m_profile.rules(list);
    for (std::size_t position = 0; position < rules.size(); ++position) {
        const FilterRule& rule = rules[position];
        if (!rule.check)
            continue;
        const std::optional<RuleTarget> target = ruleTarget(list, rule);
        if (target && compareTexts(fields.field(target->field), target->condition, rule.pattern,
                                   rule.isCaseSensitive()))
            return position;
    }
    return std::nullopt;
}

} // namespace vantor::filter
