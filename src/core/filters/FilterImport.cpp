#include "core/filters/FilterImport.h"

#include "filter/ProfileStore.h"
#include "filter/RuleWords.h"
#include "storage/IniError.h"

namespace vantor::core {

using filter::FilterRule;
using filter::RuleList;
namespace rulewords = filter::rulewords;

namespace {

// A name from account.vta becomes part of a path: one that climbs out of "Profile" or names a folder
// must not receive rules.
bool isUsableProfileName(std::string_view name)
{
    return !name.empty() && name != filter::MissingRuleText && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

} // namespace

const std::array<FilterImport::Command, FilterImport::CommandCount>& FilterImport::commands()
{
    static const std::array<Command, CommandCount> all = [] {
        std::array<Command, CommandCount> list{};
        std::size_t next = 0;
        const auto fourConditions = [&](RuleList ruleList, std::string_view type, Part part) {
            for (std::string_view condition : rulewords::Conditions)
                list[next++] = {ruleList, type, condition, part};
        };
        fourConditions(RuleList::Sender, rulewords::EMail, Part::Address);
        fourConditions(RuleList::Sender, rulewords::Domain, Part::Domain);
        fourConditions(RuleList::Subject, "", Part::Subject);
        list[next++] = {RuleList::Exceptions, rulewords::Domain, rulewords::Equals, Part::Domain};
        list[next++] = {RuleList::Exceptions, rulewords::EMail, rulewords::Equals, Part::Address};
        fourConditions(RuleList::Exceptions, rulewords::Subject, Part::Subject);
        return list;
    }();
    return all;
}

FilterImport::FilterImport(std::string homeDir)
    : m_homeDir(std::move(homeDir))
{}

FilterImport::Result FilterImport::importRow(std::string_view profile, const Command& command,
                                             std::string_view sender, std::string_view subject) const
{
    if (!isUsableProfileName(profile))
        return Result::NoProfile;
    try {
        filter::ProfileStore(m_homeDir).appendRule(profile, command.list, ruleFor(command, sender, subject));
    } catch (const storage::IniError&) {
        return Result::WriteFailed;
    }
    return Result::Written;
}

FilterRule FilterImport::ruleFor(const Command& command, std::string_view sender, std::string_view subject)
{
    FilterRule rule;
    rule.type = command.type;
    rule.condition = command.condition;
    switch (command.part) {
    case Part::Address:
        rule.pattern = sender;
        break;
    case Part::Domain:
        rule.pattern = senderDomain(sender);
        break;
    case Part::Subject:
        rule.pattern = subject;
        break;
    }
    rule.caseText = "No";
    rule.check = true;
    return rule;
}

std::string_view FilterImport::senderDomain(std::string_view sender)
{
    const std::size_t at = sender.find('@');
    return at == std::string_view::npos ? sender : sender.substr(at + 1);
}

std::vector<FilterRule> FilterImport::exceptionsFor(const std::vector<records::VCardContact>& contacts)
{
    std::vector<FilterRule> rules;
    for (const records::VCardContact& contact : contacts) {
        for (const std::string& address : contact.emails) {
            FilterRule rule;
            rule.description = contact.displayName;
            rule.type = rulewords::EMail;
            rule.condition = rulewords::Equals;
            rule.pattern = address;
            rule.caseText = "No";
            rule.check = true;
            rules.push_back(std::move(rule));
        }
    }
    return rules;
}

} // namespace vantor::core
