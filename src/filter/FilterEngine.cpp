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

Judgement FilterEngine::judge(int messageNumber, const mail::mime::MailMessage& message, std::int64_t size,
                              std::string_view profileName, Mode mode)
{
    const Evaluation evaluation = evaluate(message, size, profileName);
    Judgement judgement{evaluation.verdict,
                        texts::reportLine(messageNumber, evaluation.verdict),
                        profileColumn(evaluation.usedDefaultProfile, profileName),
                        {},
                        {}};
    if (evaluation.usedDefaultProfile) {
        if (mode == Mode::Automatic) {
            judgement.fallbackReports.push_back(texts::defaultProfileReport(profileName));
            judgement.fallbackErrors.push_back(
                texts::defaultProfileError(base::errorcode::AutomaticFilter, profileName));
        } else {
            judgement.fallbackErrors.push_back(
                texts::defaultProfileError(base::errorcode::PreviewFilter, profileName));
        }
    }
    if (evaluation.defaultedBlackList) {
        judgement.fallbackReports.push_back(texts::defaultBlackListReport(*evaluation.defaultedBlackList));
        judgement.fallbackErrors.push_back(texts::defaultBlackListError(*evaluation.defaultedBlackList));
    }
    return judgement;
}

Judgement FilterEngine::judgeKept(std::string_view subject, std::string_view fromAddress,
                                  std::string_view profileName)
{
    const FilterSources::OpenedProfileResult opened = m_sources.openProfile(profileName);
    MessageFields fields;
    fields.senderAddress = std::string(fromAddress);
    fields.senderDomain = MessageFields::domainOf(fromAddress);
    fields.subject = std::string(subject);
    const FilterDecision decision(*opened.profile, fields, 0);
    Judgement judgement;
    judgement.verdict.code = decision.exceptionVerdict() ? VerdictCode::Exception : VerdictCode::Clear;
    judgement.profileColumn = profileColumn(opened.usedDefault, profileName);
    if (opened.usedDefault) {
        judgement.fallbackReports.push_back(texts::defaultProfileReport(profileName));
        judgement.fallbackErrors.push_back(
            texts::defaultProfileError(base::errorcode::ExceptionsTest, profileName));
    }
    return judgement;
}

std::string FilterEngine::profileColumn(bool usedDefault, std::string_view profileName)
{
    return std::string(usedDefault ? DefaultProfileColumn : profileName);
}

} // namespace vantor::filter
