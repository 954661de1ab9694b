#pragma once

#include <string>

namespace vantor::filter {

// Text a missing rule key reads as; no valid type, condition or case has this value, so such a rule
// matches nothing.
inline constexpr const char* MissingRuleText = "ERROR";

// One rule of the sender, subject, header or exception list as stored in a profile. For subject and
// header rules the stored "Type" key holds the condition, kept here in `condition`; `type` stays empty.
struct FilterRule
{
    // Exception rules only: free text for the editor, never read by the engine.
    std::string description;
    // "EMail" or "Domain" (sender rules); "Domain", "EMail" or "Subject" (exception rules).
    std::string type = MissingRuleText;
    // "Contains", "Ends with", "Equals" or "Starts with"; anything else matches nothing.
    std::string condition = MissingRuleText;
    // The pattern ("String" key).
    std::string pattern = MissingRuleText;
    // "Yes" compares with letter case unchanged; any other text compares both sides in lower case.
    std::string caseText = MissingRuleText;
    // The rule is active; an unticked rule is skipped.
    bool check = false;

    bool isCaseSensitive() const { return caseText == "Yes"; }
    bool operator==(const FilterRule&) const = default;
};

} // namespace vantor::filter
