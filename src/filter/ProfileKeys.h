#pragma once

#include "filter/Profile.h"

#include <string>
#include <string_view>

// Section and key names of the profile file, shared by its reader and writer.
namespace vantor::filter::profilekeys {

inline constexpr std::string_view FilterActive = "FilterActive";
inline constexpr std::string_view General = "General";
inline constexpr std::string_view GeneralRules = "Fil5";
inline constexpr std::string_view Domains = "Fil6";

inline constexpr std::string_view Description = "Description";
inline constexpr std::string_view Type = "Type";
inline constexpr std::string_view Condition = "Condition";
inline constexpr std::string_view String = "String";
inline constexpr std::string_view Case = "Case";
inline constexpr std::string_view Check = "Check";

inline constexpr std::string_view DomainPrefix = "Domain";
inline constexpr std::string_view DomainValuePrefix = "DomainValue";
// What a missing "Domain<i>" reads as; no domain ending has this value.
inline constexpr std::string_view MissingDomain = "ERRORE";

// "Filter1" .. "Filter4": the rule count of a list in "General".
inline std::string countKey(RuleList list)
{
    return "Filter" + std::to_string(static_cast<int>(list));
}

// "Fil<k>-" : the prefix of the numbered rule sections of a list.
inline std::string sectionPrefix(RuleList list)
{
    return "Fil" + std::to_string(static_cast<int>(list)) + "-";
}

// "Fil<k>-<n>": the section of rule n (counting from 1).
inline std::string ruleSection(RuleList list, int number)
{
    return sectionPrefix(list) + std::to_string(number);
}

// The lists whose rules carry a "Condition" key beside "Type"; the others keep the condition in "Type".
inline bool hasTypeAndCondition(RuleList list)
{
    return list == RuleList::Sender || list == RuleList::Exceptions;
}

} // namespace vantor::filter::profilekeys
