#pragma once

#include "filter/Verdict.h"

#include <string>
#include <vector>

namespace vantor::filter {

// What the engine says about one message: the verdict, and what the check shows and logs about it.
struct Judgement
{
    Verdict verdict;
    // The check report's line for the message ("Msg <n> ..."; the report adds the time).
    std::string reportLine;
    // The "Profile" column of the account's row: the profile's name, or "->Default<-" when it was missing.
    std::string profileColumn;
    // A missing profile or black list and the file used instead: check report lines and error-log entries.
    std::vector<std::string> fallbackReports;
    std::vector<std::string> fallbackErrors;
};

} // namespace vantor::filter
