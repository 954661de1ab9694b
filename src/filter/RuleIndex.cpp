#include "filter/RuleIndex.h"

#include "base/AsciiCase.h"
#include "filter/RuleTarget.h"

#include <algorithm>

namespace vantor::filter {

RuleIndex::RuleIndex(RuleList list, const std::vector<FilterRule>& rules)
{
    for (std::size_t position = 0; position < rules.size(); ++position) {
        const FilterRule& rule = rules[position];
        const std::optional<RuleTarget> target = ruleTarget(list, rule);
        if (!rule.check || !target)
            continue;
        Group& group = groupFor(target->field, rule.isCaseSensitive());
        const std::string& pattern = rule.pattern;
        switch (target->condition) {
        case Condition::Equals:
            group.equals.try_emplace(group.caseSensitive ? pattern : base::toLowerAscii(pattern), position);
            break;
        case Condition::Contains:
            group.contained.add(pattern, position);
            break;
        case Condition::StartsWith:
            if (pattern.empty())
                group.always = std::min(group.always, position);
            group.prefixes.add(pattern, position);
            break;
        case Condition::EndsWith:
            if (pattern.empty())
                group.always = std::min(group.always, position);
            group.suffixes.add(pattern, position);
            break;
        }
    }
    for (Group& group : m_groups) {
        group.prefixes.build();
        group.suffixes.build();
        group.contained.build();
    }
}

RuleIndex::Group& RuleIndex::groupFor(FieldKind field, bool caseSensitive)
{
    for (Group& group : m_groups) {
        if (group.field == field && group.caseSensitive == caseSensitive)
            return group;
    }
    return m_groups.emplace_back(field, caseSensitive);
}

std::optional<std::size_t> RuleIndex::firstMatch(const FieldView& fields) const
{
    std::size_t best = PatternTrie::NoMatch;
    for (const Group& group : m_groups)
        best = group.firstMatch(fields, best);
    if (best == PatternTrie::NoMatch)
        return std::nullopt;
    return best;
}

std::size_t RuleIndex::Group::firstMatch(const FieldView& fields, std::size_t bound) const
{
    const std::string_view text = fields.field(field);
    std::size_t best = std::min(bound, always);
    if (!equals.empty()) {
        const auto found = equals.find(caseSensitive ? text : fields.lowered(field));
        if (found != equals.end())
            best = std::min(best, found->second);
    }
    // A trie whose first rule comes after the best answer so far cannot change it, and scanning a long
    // header text is the costly part of an evaluation.
    if (prefixes.lowestPosition() < best)
        best = std::min(best, prefixes.firstAnchored(text));
    if (suffixes.lowestPosition() < best)
        best = std::min(best, suffixes.firstAnchored(text));
    if (contained.lowestPosition() < best)
        best = std::min(best, contained.firstContained(text));
    return best;
}

} // namespace vantor::filter
