#pragma once

#include "filter/FilterRule.h"
#include "filter/Profile.h"
#include "records/VCardReader.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::core {

// Turns addresses into filter rules: a result row's sender, domain or subject appended to a profile file,
// and address book contacts made into exceptions for the profile editor.
class FilterImport
{
public:
    // What of the row a command puts into the rule's "String".
    enum class Part
    {
        Address,
        Domain,
        Subject
    };

    // One command of the import drop-down: the list it appends to and the rule's "Type" and "Condition"
    // (for subject rules the condition alone, stored under "Type").
    struct Command
    {
        filter::RuleList list;
        std::string_view type;
        std::string_view condition;
        Part part;
    };

    inline static constexpr std::size_t CommandCount = 18;

    // The drop-down's eighteen commands in menu order: "Import EMail Address", "Import Domain" and
    // "Import Subject" with the four conditions each, then "Import Exceptions": "Domain", "EMail" and
    // "Subject" with the four conditions.
    static const std::array<Command, CommandCount>& commands();

    enum class Result
    {
        Written,
        // The row's account names no usable profile ("ERROR", empty, or a name that is not a file name).
        NoProfile,
        // The profile file could not be written.
        WriteFailed
    };

    explicit FilterImport(std::string homeDir);

    // Appends the rule the command makes of the row (sender = the row's caption) to the profile's file.
    // No check for duplicates: importing twice gives two rules.
    Result importRow(std::string_view profile, const Command& command, std::string_view sender,
                     std::string_view subject) const;

    // The rule itself: Case "No", ticked, no description.
    static filter::FilterRule ruleFor(const Command& command, std::string_view sender,
                                      std::string_view subject);
    // The text after the first "@", or the whole sender when there is none.
    static std::string_view senderDomain(std::string_view sender);

    // One "EMail"/"Equals" exception per address of every contact, described by the contact's name, in
    // order; a contact without addresses gives none.
    static std::vector<filter::FilterRule> exceptionsFor(const std::vector<records::VCardContact>& contacts);

private:
    std::string m_homeDir;
};

} // namespace vantor::core
