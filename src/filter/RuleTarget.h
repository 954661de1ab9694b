#pragma once

#include "filter/MessageFields.h"
#include "filter/Profile.h"
#include "filter/TextCompare.h"

#include <optional>

namespace vantor::filter {

// What one rule of a list compares: which field of the message, and with which condition.
struct RuleTarget
{
    FieldKind field;
    Condition condition;
};

// The target of rule in list, or nothing when the rule can never match: an unknown type or condition,
// or an exception on the sender address or domain with a condition other than "Equals".
// The rule's Check is not looked at here.
std::optional<RuleTarget> ruleTarget(RuleList list, const FilterRule& rule);

} // namespace vantor::filter
