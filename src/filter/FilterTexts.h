#pragma once

#include "filter/TextCompare.h"
#include "filter/Verdict.h"

#include <string>
#include <string_view>

// The texts the filter writes: verdict texts, check report lines and error-log entries.
namespace vantor::filter::filtertexts {

// A verdict whose report text is text and whose reason text is "Msg" + text.
Verdict verdict(VerdictCode code, std::string text);
// A verdict of a rule: label (such as "Sender") + ": " + field + " --> " + condition + " " + pattern,
// after " deleted" (or " filtered" for exceptions).
Verdict ruleVerdict(VerdictCode code, const Comparison& compared, Condition condition);
Verdict spammerVerdict(std::string_view senderAddress, std::string_view line);
Verdict mainLevelDomainVerdict(std::string_view ending);
Verdict priorityVerdict(std::string_view priorityMark);
Verdict clearVerdict();

// The check report text of a verdict for message number n (the report adds the time).
std::string reportLine(int messageNumber, const Verdict& verdict);

// The check report line when the account's profile is missing.
std::string defaultProfileReport(std::string_view profileName);
// The error-log entry for a missing profile under the given code ("00003", "00004", "00010").
std::string defaultProfileError(std::string_view code, std::string_view profileName);
std::string defaultBlackListReport(std::string_view blackListName);
std::string defaultBlackListError(std::string_view blackListName);

} // namespace vantor::filter::filtertexts
