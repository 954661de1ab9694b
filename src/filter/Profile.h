#pragma once

#include "filter/FilterRule.h"
#include "filter/MainLevelDomains.h"

#include <array>
#include <string>
#include <vector>

namespace vantor::filter {

// The four rule lists of a profile, numbered as their sections ("Fil1-<n>" .. "Fil4-<n>") and counts.
enum class RuleList
{
    Sender = 1,
    Subject = 2,
    Headers = 3,
    Exceptions = 4
};

// Section "FilterActive": the family switches. A family switched off is skipped by the engine.
struct FamilySwitches
{
    bool sender = true;
    bool subject = true;
    bool headers = true;
    bool exceptions = true;
    bool other = true;

    bool operator==(const FamilySwitches&) const = default;
};

// Section "Fil5": the general rules, the black list choice and the main-level-domain switch. Members are
// named after their keys; the initial values are the reader defaults.
struct GeneralRules
{
    bool blockEmptySender = true;       // delete when the sender is empty
    bool blockEmptySubject = true;      // delete when the subject is empty
    bool blockEmptyReceiver = false;    // delete when the receiver is empty
    bool blockSenderIsReceiver = false; // delete when sender = receiver
    bool est = false;                   // delete when the message is smaller than estValue bytes
    int estValue = 100;
    bool ebt = false; // delete when the message is bigger than ebtValue bytes
    int ebtValue = 20000;
    bool pry = false;  // delete when the priority level is higher (lower priority) than pryValue
    int pryValue = 2;  // 0 "Highest" .. 4 "Lowest"
    bool eblf = false; // black list filter on
    std::string bList = "Default";
    bool mld = false; // main-level-domain filter on
    int mldNum = 0;   // number of "Fil6" entries the engine looks at

    bool operator==(const GeneralRules&) const = default;
};

// A whole filter profile as read from or written to its file.
struct Profile
{
    FamilySwitches active;
    // The four ordered lists; the first rule is number 1 in its file.
    std::vector<FilterRule> senderRules;
    std::vector<FilterRule> subjectRules;
    std::vector<FilterRule> headerRules;
    std::vector<FilterRule> exceptionRules;
    GeneralRules general;
    // Tick of each entry of the fixed main-level-domain table ("Fil6"/"DomainValue<i>"), as the editor
    // shows and saves them.
    std::array<bool, MainLevelDomainCount> domainTicks{};
    // What the engine tests: the "Domain<i>" texts (default "ERRORE") of the entries 1 .. mldNum that are
    // ticked, in order. Read from the file; the writer ignores it and stores the fixed table instead.
    std::vector<std::string> badDomainEndings;

    std::vector<FilterRule>& rules(RuleList list);
    const std::vector<FilterRule>& rules(RuleList list) const;
    bool operator==(const Profile&) const = default;
};

inline std::vector<FilterRule>& Profile::rules(RuleList list)
{
    switch (list) {
    case RuleList::Sender:
        return senderRules;
    case RuleList::Subject:
        return subjectRules;
    case RuleList::Headers:
        return headerRules;
    case RuleList::Exceptions:
        break;
    }
    return exceptionRules;
}

inline const std::vector<FilterRule>& Profile::rules(RuleList list) const
{
    return const_cast<Profile*>(this)->rules(list);
}

} // namespace vantor::filter
