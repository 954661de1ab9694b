#include "filter/FilterDecision.h"

#include "base/AsciiCase.h"
#include "filter/FilterTexts.h"
#include "filter/RuleTarget.h"
#include "filter/TextCompare.h"

namespace vantor::filter {

namespace texts = filtertexts;

namespace {

constexpr std::size_t EndingLength = 4;

} // namespace

FilterDecision::FilterDecision(const OpenedProfile& profile, const MessageFields& fields, std::int64_t size)
    : m_profile(profile)
    , m_fields(fields)
    , m_view(fields)
    , m_size(size)
{}

Verdict FilterDecision::decide(const BlackListSource& blackLists) const
{
    const FamilySwitches& active = m_profile.profile().active;
    std::optional<Verdict> verdict;
    if (active.exceptions)
        verdict = exceptionVerdict();
    if (!verdict && active.sender)
        verdict = ruleListVerdict(RuleList::Sender, VerdictCode::SenderRule);
    if (!verdict && active.subject)
        verdict = ruleListVerdict(RuleList::Subject, VerdictCode::SubjectRule);
    if (!verdict && active.headers)
        verdict = ruleListVerdict(RuleList::Headers, VerdictCode::HeaderRule);
    // The black list and the main-level-domain rule belong to the "other" family as well.
    if (!verdict && active.other) {
        verdict = generalVerdict();
        if (!verdict)
            verdict = blackListVerdict(blackLists);
        if (!verdict)
            verdict = mainLevelDomainVerdict();
    }
    return verdict ? *verdict : texts::clearVerdict();
}

std::optional<Verdict> FilterDecision::exceptionVerdict() const
{
    return ruleListVerdict(RuleList::Exceptions, VerdictCode::Exception);
}

std::optional<Verdict> FilterDecision::ruleListVerdict(RuleList list, VerdictCode code) const
{
    const std::optional<std::size_t> position = m_profile.firstMatchingRule(list, m_view);
    if (!position)
        return std::nullopt;
    const FilterRule& rule = m_profile.profile().rules(list)[*position];
    const RuleTarget target = *ruleTarget(list, rule);
    Comparison compared{std::string(m_fields.field(target.field)), rule.pattern};
    if (!rule.isCaseSensitive()) {
        base::lowerAsciiInPlace(compared.field);
        base::lowerAsciiInPlace(compared.pattern);
    }
    return texts::ruleVerdict(code, compared, target.condition);
}

std::optional<Verdict> FilterDecision::generalVerdict() const
{
    const GeneralRules& rules = m_profile.profile().general;
    if (rules.blockEmptySender && m_fields.senderAddress.empty())
        return texts::verdict(VerdictCode::GeneralRule, " deleted: Sender empty");
    if (rules.blockEmptySubject && m_fields.subject.empty())
        return texts::verdict(VerdictCode::GeneralRule, " deleted: Subject empty");
    if (rules.blockEmptyReceiver && m_fields.receiver.empty())
        return texts::verdict(VerdictCode::GeneralRule, " deleted: Receiver empty");
    if (rules.blockSenderIsReceiver && m_fields.senderAddress == m_fields.receiver)
        return texts::verdict(VerdictCode::GeneralRule, " deleted: Sender = Receiver");
    if ((rules.est && m_size < rules.estValue) || (rules.ebt && m_size > rules.ebtValue))
        return texts::verdict(VerdictCode::GeneralRule, " deleted: Size");
    if (rules.pry && rules.pryValue < m_fields.priorityLevel)
        return texts::priorityVerdict(m_fields.priorityMark);
    return std::nullopt;
}

std::optional<Verdict> FilterDecision::blackListVerdict(const BlackListSource& blackLists) const
{
    const GeneralRules& rules = m_profile.profile().general;
    if (!rules.eblf)
        return std::nullopt;
    const std::shared_ptr<const FirstMatchList> list = blackLists(rules.bList);
    if (!list)
        return std::nullopt;
    const std::optional<std::size_t> line = list->firstMatch(m_fields.senderAddress, m_fields.senderDomain);
    if (!line)
        return std::nullopt;
    return texts::spammerVerdict(m_fields.senderAddress, list->entries()[*line]);
}

std::optional<Verdict> FilterDecision::mainLevelDomainVerdict() const
{
    if (!m_profile.profile().general.mld)
        return std::nullopt;
    const std::string ending = domainEnding(m_fields.senderDomain);
    if (!m_profile.firstBadDomain(ending, m_fields.senderDomain))
        return std::nullopt;
    return texts::mainLevelDomainVerdict(ending);
}

std::string FilterDecision::domainEnding(std::string_view senderDomain)
{
    std::string ending = base::toLowerAscii(
        senderDomain.substr(senderDomain.size() - std::min(senderDomain.size(), EndingLength)));
    const std::size_t dot = ending.find('.');
    if (dot != std::string::npos)
        ending.erase(0, dot);
    return ending;
}

} // namespace vantor::filter
