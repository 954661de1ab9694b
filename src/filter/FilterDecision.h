#pragma once

#include "filter/FieldView.h"
#include "filter/FirstMatchList.h"
#include "filter/MessageFields.h"
#include "filter/OpenedProfile.h"
#include "filter/Verdict.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vantor::filter {

// The decision on one message once its profile is open: exceptions, sender, subject and header rules,
// the general rules, the black list and the main-level-domain rule, in this order; the first match wins.
class FilterDecision
{
public:
    // The black list of that name (the caller falls back to the default list and reports it); asked only
    // when a message reaches the black list rule.
    using BlackListSource = std::function<std::shared_ptr<const FirstMatchList>(const std::string& name)>;

    FilterDecision(const OpenedProfile& profile, const MessageFields& fields, std::int64_t size);

    // The verdict of the whole procedure.
    Verdict decide(const BlackListSource& blackLists) const;
    // The exception rules alone, whatever the exceptions switch says.
    std::optional<Verdict> exceptionVerdict() const;

    // The domain ending the main-level-domain rule compares: the lowered domain's last four characters
    // (all of it when shorter), from their first "." on when they hold one.
    static std::string domainEnding(std::string_view senderDomain);

private:
    std::optional<Verdict> ruleListVerdict(RuleList list, VerdictCode code) const;
    std::optional<Verdict> generalVerdict() const;
    std::optional<Verdict> blackListVerdict(const BlackListSource& blackLists) const;
    std::optional<Verdict> mainLevelDomainVerdict() const;

    const OpenedProfile& m_profile;
    const MessageFields& m_fields;
    FieldView m_view;
    std::int64_t m_size;
};

} // namespace vantor::filter
