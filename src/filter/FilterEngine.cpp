#include "filter/FilterEngine.h"

#include "base/ErrorCodes.h"
#include "filter/FilterDecision.h"
#include "filter/FilterTexts.h"

namespace vantor::filter {

namespace texts = filtertexts;

namespace {

constexpr std::string_view DefaultProfileColumn = "->Default<-";

} // namespace

FilterEngine::FilterEngine(std::string homeDir, bool cached, const base::Clock& clock)
    : m_sources(std::move(homeDir), cached, clock)
{}

FilterEngine::Evaluation FilterEngine::evaluate(const mail::mime::MailMessage& message, std::int64_t size,
                                                std::string_view profileName)
{
    return evaluate(MessageFields::fromMessage(message), size, profileName);
}

FilterEngine::Evaluation FilterEngine::evaluate(const MessageFields& fields, std::int64_t size,
                                                std::string_view profileName)
{
    Evaluation evaluation;
    const FilterSources::OpenedProfileResult opened = m_sources.openProfile(profileName);
    evaluation.usedDefaultProfile = opened.usedDefault;
    const FilterDecision decision(*opened.profile, fields, size);
    evaluation.verdict = decision.decide([&](const std::string& name) {
        FilterSources::OpenedBlackListResult list = m_sources.openBlackList(name);
        if (list.usedDefault)
            evaluation.defaultedBlackList = name;
        return list.list;
    });
    return evaluation;
}

void FilterEngine::filterMessage(int messageNumber, const mail::mime::MailMessage& message, std::int64_t size,
                                 std::string_view profileName, FilterActions& actions)
{
    const Evaluation evaluation = evaluate(message, size, profileName);
    reportFallbacks(evaluation, Mode::Automatic, profileName, actions);
    const Verdict& verdict = evaluation.verdict;
    const std::string reportLine = texts::reportLine(messageNumber, verdict);
    if (!isDeleting(verdict.code)) {
        actions.addReportLine(reportLine);
        return;
    }
    if (verdict.code == VerdictCode::BlackList)
        actions.addReportLine(reportLine);
    // The recorder fetches the message again from the server, so it has to run before the deletion.
    actions.recordDeletedMessage(verdict.code);
    actions.deleteMessage(messageNumber);
    if (verdict.code != VerdictCode::BlackList)
        actions.addReportLine(reportLine);
}

void FilterEngine::previewMessage(int messageNumber, const mail::mime::MailMessage& message,
                                  std::int64_t size, std::string_view profileName, FilterActions& actions)
{
    const Evaluation evaluation = evaluate(message, size, profileName);
    reportFallbacks(evaluation, Mode::Preview, profileName, actions);
    actions.addPreviewRow(evaluation.verdict.code);
    actions.addReasonLine(evaluation.verdict.reasonText);
    actions.addReportLine(texts::reportLine(messageNumber, evaluation.verdict));
}

VerdictCode FilterEngine::isException(std::string_view subject, std::string_view fromAddress,
                                      std::string_view profileName, FilterActions& actions)
{
    const FilterSources::OpenedProfileResult opened = m_sources.openProfile(profileName);
    reportProfileColumn(opened.usedDefault, profileName, actions);
    if (opened.usedDefault) {
        actions.addReportLine(texts::defaultProfileReport(profileName));
        actions.writeErrorLog(texts::defaultProfileError(base::errorcode::ExceptionsTest, profileName));
    }
    MessageFields fields;
    fields.senderAddress = std::string(fromAddress);
    fields.senderDomain = MessageFields::domainOf(fromAddress);
    fields.subject = std::string(subject);
    const FilterDecision decision(*opened.profile, fields, 0);
    return decision.exceptionVerdict() ? VerdictCode::Exception : VerdictCode::Clear;
}

void FilterEngine::reportFallbacks(const Evaluation& evaluation, Mode mode, std::string_view profileName,
                                   FilterActions& actions)
{
    reportProfileColumn(evaluation.usedDefaultProfile, profileName, actions);
    if (evaluation.usedDefaultProfile) {
        if (mode == Mode::Automatic) {
            actions.addReportLine(texts::defaultProfileReport(profileName));
            actions.writeErrorLog(texts::defaultProfileError(base::errorcode::AutomaticFilter, profileName));
        } else {
            actions.writeErrorLog(texts::defaultProfileError(base::errorcode::PreviewFilter, profileName));
        }
    }
    if (evaluation.defaultedBlackList) {
        actions.addReportLine(texts::defaultBlackListReport(*evaluation.defaultedBlackList));
        actions.writeErrorLog(texts::defaultBlackListError(*evaluation.defaultedBlackList));
    }
}

void FilterEngine::reportProfileColumn(bool usedDefault, std::string_view profileName, FilterActions& actions)
{
    actions.setProfileColumn(usedDefault ? DefaultProfileColumn : profileName);
}

} // namespace vantor::filter
