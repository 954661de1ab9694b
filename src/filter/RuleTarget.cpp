#include "filter/RuleTarget.h"

namespace vantor::filter {

namespace {

std::optional<FieldKind> senderField(std::string_view type)
{
    if (type == "Domain")
        return FieldKind::SenderDomain;
    if (type == "EMail")
        return FieldKind::SenderAddress;
    return std::nullopt;
}

} // namespace

std::optional<RuleTarget> ruleTarget(RuleList list, const FilterRule& rule)
{
    const std::optional<Condition> condition = conditionFromText(rule.condition);
    if (!condition)
        return std::nullopt;
    switch (list) {
    case RuleList::Sender:
        if (const std::optional<FieldKind> field = senderField(rule.type))
            return RuleTarget{*field, *condition};
        return std::nullopt;
    case RuleList::Subject:
        return RuleTarget{FieldKind::Subject, *condition};
    case RuleList::Headers:
        return RuleTarget{FieldKind::HeaderText, *condition};
    case RuleList::Exceptions:
        break;
    }
    if (rule.type == "Subject")
        return RuleTarget{FieldKind::Subject, *condition};
    // Trusted senders are named exactly; any other condition on an address or domain is ignored.
    const std::optional<FieldKind> field = senderField(rule.type);
    if (field && *condition == Condition::Equals)
        return RuleTarget{*field, *condition};
    return std::nullopt;
}

} // namespace vantor::filter
