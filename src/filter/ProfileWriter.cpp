#include "filter/ProfileWriter.h"

#include "filter/NumberText.h"
#include "filter/ProfileKeys.h"
#include "storage/IniFile.h"

namespace vantor::filter {

namespace keys = profilekeys;
using storage::IniFile;

namespace {

constexpr RuleList AllLists[] = {RuleList::Sender, RuleList::Subject, RuleList::Headers,
                                 RuleList::Exceptions};

// The rule's keys in stored order; `withDescription` only for the editor's whole write.
void writeRule(IniFile& document, const std::string& section, RuleList list, const FilterRule& rule,
               bool withDescription)
{
    if (withDescription && list == RuleList::Exceptions)
        document.writeString(section, keys::Description, rule.description);
    if (keys::hasTypeAndCondition(list)) {
        document.writeString(section, keys::Type, rule.type);
        document.writeString(section, keys::Condition, rule.condition);
    } else {
        document.writeString(section, keys::Type, rule.condition);
    }
    document.writeString(section, keys::String, rule.pattern);
    document.writeString(section, keys::Case, rule.caseText);
    document.writeBool(section, keys::Check, rule.check);
}

void writeSwitches(IniFile& document, const FamilySwitches& active)
{
    document.writeBool(keys::FilterActive, "Sender", active.sender);
    document.writeBool(keys::FilterActive, "Subject", active.subject);
    document.writeBool(keys::FilterActive, "Headers", active.headers);
    document.writeBool(keys::FilterActive, "Exceptions", active.exceptions);
    document.writeBool(keys::FilterActive, "Other", active.other);
}

void writeGeneralRules(IniFile& document, const GeneralRules& general)
{
    const std::string_view section = keys::GeneralRules;
    document.writeBool(section, "Est", general.est);
    document.writeInteger(section, "EstValue", general.estValue);
    document.writeBool(section, "Ebt", general.ebt);
    document.writeInteger(section, "EbtValue", general.ebtValue);
    document.writeBool(section, "Pry", general.pry);
    document.writeInteger(section, "PryValue", general.pryValue);
    document.writeBool(section, "EBLF", general.eblf);
    document.writeString(section, "BList", general.bList);
    document.writeBool(section, "GR1", general.blockEmptySender);
    document.writeBool(section, "GR2", general.blockEmptySubject);
    document.writeBool(section, "GR3", general.blockEmptyReceiver);
    document.writeBool(section, "GR4", general.blockSenderIsReceiver);
    document.writeBool(section, "MLD", general.mld);
    // The writer always stores the whole table, so the count is the table's size whatever was read.
    document.writeInteger(section, "MLDNum", static_cast<int>(MainLevelDomainCount));
}

void writeDomains(IniFile& document, const Profile& profile)
{
    for (std::size_t i = 0; i < MainLevelDomainCount; ++i) {
        const std::string number = std::to_string(i + 1);
        document.writeString(keys::Domains, std::string(keys::DomainPrefix) + number, MainLevelDomains[i]);
        document.writeBool(keys::Domains, std::string(keys::DomainValuePrefix) + number,
                           profile.domainTicks[i]);
    }
}

} // namespace

void ProfileWriter::write(IniFile& document, const Profile& profile)
{
    for (const std::string& section : document.readSections())
        document.eraseSection(section);
    writeSwitches(document, profile.active);
    for (RuleList list : AllLists)
        document.writeString(keys::General, keys::countKey(list), std::to_string(profile.rules(list).size()));
    for (RuleList list : AllLists) {
        const std::vector<FilterRule>& rules = profile.rules(list);
        for (std::size_t n = 0; n < rules.size(); ++n)
            writeRule(document, keys::ruleSection(list, static_cast<int>(n + 1)), list, rules[n], true);
    }
    writeGeneralRules(document, profile.general);
    writeDomains(document, profile);
}

void ProfileWriter::appendRule(IniFile& document, RuleList list, const FilterRule& rule)
{
    const long long count =
        countFromText(document.readString(keys::General, keys::countKey(list), "0")) + 1LL;
    document.writeString(keys::General, keys::countKey(list), std::to_string(count));
    writeRule(document, keys::sectionPrefix(list) + std::to_string(count), list, rule, false);
}

} // namespace vantor::filter
