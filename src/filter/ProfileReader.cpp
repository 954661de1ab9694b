#include "filter/ProfileReader.h"

#include "base/AsciiCase.h"
#include "filter/NumberText.h"
#include "filter/ProfileKeys.h"
#include "filter/TextCompare.h"
#include "storage/IniFile.h"

#include <algorithm>
#include <set>
#include <utility>

namespace vantor::filter {

namespace keys = profilekeys;
using storage::IniFile;

namespace {

// The numbers n in 1 .. limit for which names holds prefix + n (prefix compared without letter case),
// ascending and without repeats, each with the name as stored.
std::vector<std::pair<int, std::string>> numberedNames(const std::vector<std::string>& names,
                                                       std::string_view prefix, int limit)
{
    std::vector<std::pair<int, std::string>> numbered;
    std::set<int> seen;
    for (const std::string& name : names) {
        if (name.size() <= prefix.size() ||
            !base::equalsIgnoreCase(std::string_view(name).substr(0, prefix.size()), prefix))
            continue;
        const std::optional<int> number = numberSuffix(std::string_view(name).substr(prefix.size()));
        if (number && *number <= limit && seen.insert(*number).second)
            numbered.emplace_back(*number, name);
    }
    std::sort(numbered.begin(), numbered.end());
    return numbered;
}

FilterRule readRule(const IniFile& document, const std::string& section, RuleList list)
{
    FilterRule rule;
    if (list == RuleList::Exceptions)
        rule.description = document.readString(section, keys::Description, "");
    if (keys::hasTypeAndCondition(list)) {
        rule.type = document.readString(section, keys::Type, MissingRuleText);
        rule.condition = document.readString(section, keys::Condition, MissingRuleText);
    } else {
        rule.type.clear();
        rule.condition = document.readString(section, keys::Type, MissingRuleText);
    }
    rule.pattern = document.readString(section, keys::String, MissingRuleText);
    rule.caseText = document.readString(section, keys::Case, MissingRuleText);
    rule.check = document.readBool(section, keys::Check, false);
    return rule;
}

std::vector<FilterRule> readRules(const IniFile& document, const std::vector<std::string>& sections,
                                  RuleList list)
{
    const int count = countFromText(document.readString(keys::General, keys::countKey(list), "0"));
    std::vector<FilterRule> rules;
    for (const auto& [number, section] : numberedNames(sections, keys::sectionPrefix(list), count))
        rules.push_back(readRule(document, section, list));
    return rules;
}

FamilySwitches readSwitches(const IniFile& document)
{
    FamilySwitches active;
    active.sender = document.readBool(keys::FilterActive, "Sender", true);
    active.subject = document.readBool(keys::FilterActive, "Subject", true);
    active.headers = document.readBool(keys::FilterActive, "Headers", true);
    active.exceptions = document.readBool(keys::FilterActive, "Exceptions", true);
    active.other = document.readBool(keys::FilterActive, "Other", true);
    return active;
}

GeneralRules readGeneralRules(const IniFile& document)
{
    const GeneralRules defaults;
    GeneralRules general;
    const std::string_view section = keys::GeneralRules;
    general.blockEmptySender = document.readBool(section, "GR1", defaults.blockEmptySender);
    general.blockEmptySubject = document.readBool(section, "GR2", defaults.blockEmptySubject);
    general.blockEmptyReceiver = document.readBool(section, "GR3", defaults.blockEmptyReceiver);
    general.blockSenderIsReceiver = document.readBool(section, "GR4", defaults.blockSenderIsReceiver);
    general.est = document.readBool(section, "Est", defaults.est);
    general.estValue = document.readInteger(section, "EstValue", defaults.estValue);
    general.ebt = document.readBool(section, "Ebt", defaults.ebt);
    general.ebtValue = document.readInteger(section, "EbtValue", defaults.ebtValue);
    general.pry = document.readBool(section, "Pry", defaults.pry);
    general.pryValue = document.readInteger(section, "PryValue", defaults.pryValue);
    general.eblf = document.readBool(section, "EBLF", defaults.eblf);
    general.bList = document.readString(section, "BList", defaults.bList);
    general.mld = document.readBool(section, "MLD", defaults.mld);
    general.mldNum = document.readInteger(section, "MLDNum", defaults.mldNum);
    return general;
}

std::string domainKey(std::string_view prefix, std::size_t number)
{
    return std::string(prefix) + std::to_string(number);
}

// Only the ticked entries can ever match, so the section's own keys say which of the mldNum entries to
// read; a damaged count therefore costs nothing.
std::vector<std::string> readBadDomainEndings(const IniFile& document, int mldNum)
{
    std::vector<std::string> endings;
    const std::vector<std::string> domainKeys = document.readSection(keys::Domains);
    for (const auto& [number, key] : numberedNames(domainKeys, keys::DomainValuePrefix, mldNum)) {
        if (document.readBool(keys::Domains, key, false))
            endings.push_back(document.readString(keys::Domains, domainKey(keys::DomainPrefix, number),
                                                  keys::MissingDomain));
    }
    return endings;
}

} // namespace

Profile ProfileReader::read(const IniFile& document)
{
    Profile profile;
    profile.active = readSwitches(document);
    const std::vector<std::string> sections = document.readSections();
    for (RuleList list : {RuleList::Sender, RuleList::Subject, RuleList::Headers, RuleList::Exceptions})
        profile.rules(list) = readRules(document, sections, list);
    profile.general = readGeneralRules(document);
    for (std::size_t i = 0; i < MainLevelDomainCount; ++i)
        profile.domainTicks[i] =
            document.readBool(keys::Domains, domainKey(keys::DomainValuePrefix, i + 1), false);
    profile.badDomainEndings = readBadDomainEndings(document, profile.general.mldNum);
    return profile;
}

} // namespace vantor::filter
