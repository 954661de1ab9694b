#include "filter/FilterTexts.h"

#include "base/ErrorCodes.h"
namespace vantor::filter::filtertexts {

namespace {

std::string_view ruleLabel(VerdictCode code)
{
    switch (code) {
    case VerdictCode::HeaderRule:
        return " deleted: Headers: ";
    case VerdictCode::SubjectRule:
        return " deleted: Subject: ";
    case VerdictCode::Exception:
        return " filtered: Exceptions: ";
    default:
        break;
    }
    return " deleted: Sender: ";
}

} // namespace

Verdict verdict(VerdictCode code, std::string text)
{
    std::string reason = "Msg" + text;
    return Verdict{code, std::move(text), std::move(reason)};
}

Verdict ruleVerdict(VerdictCode code, const Comparison& compared, Condition condition)
{
    std::string text = std::string(ruleLabel(code)) + compared.field + " --> " +
                       std::string(conditionText(condition)) + " " + compared.pattern;
    Verdict result = verdict(code, std::move(text));
    // The preview has always shown header "Contains" matches with this lead; kept so saved reason texts
    // read the same.
    if (code == VerdictCode::HeaderRule && condition == Condition::Contains)
        result.reasonText.insert(0, " - ");
    return result;
}

Verdict spammerVerdict(std::string_view senderAddress, std::string_view line)
{
    return verdict(VerdictCode::BlackList,
                   " deleted: Spammer: " + std::string(senderAddress) + " --> " + std::string(line));
}

Verdict mainLevelDomainVerdict(std::string_view ending)
{
    return verdict(VerdictCode::BlackList, " deleted: main level domain: " + std::string(ending));
}

Verdict priorityVerdict(std::string_view priorityMark)
{
    return verdict(VerdictCode::GeneralRule, " deleted: Priority " + std::string(priorityMark));
}

Verdict clearVerdict()
{
    return verdict(VerdictCode::Clear, " clear");
}

std::string reportLine(int messageNumber, const Verdict& verdict)
{
    return "Msg " + std::to_string(messageNumber) + verdict.reportText;
}

std::string defaultProfileReport(std::string_view profileName)
{
    return "ERROR: Used Default profile not " + std::string(profileName) + " profile";
}

std::string defaultProfileError(std::string_view code, std::string_view profileName)
{
    return base::errorEntry(code, "used Default profile not ") + std::string(profileName);
}

std::string defaultBlackListReport(std::string_view blackListName)
{
    return "ERROR: Used Default Black List not " + std::string(blackListName);
}

std::string defaultBlackListError(std::string_view blackListName)
{
    return base::errorEntry(base::errorcode::AutomaticFilter, "used Default Black List not ") +
           std::string(blackListName);
}

} // namespace vantor::filter::filtertexts
