#include "ProfileText.h"

namespace vantor::filter::test {

ProfileText& ProfileText::set(std::string_view section, std::string_view key, std::string_view value)
{
    Section* target = nullptr;
    for (Section& existing : m_sections) {
        if (existing.name == section)
            target = &existing;
    }
    if (target == nullptr)
        target = &m_sections.emplace_back(Section{std::string(section), {}});
    for (auto& [name, stored] : target->keys) {
        if (name == key) {
            stored = value;
            return *this;
        }
    }
    target->keys.emplace_back(std::string(key), std::string(value));
    return *this;
}

std::string ProfileText::nextRuleSection(int list)
{
    const int number = ++m_counts[list - 1];
    set("General", "Filter" + std::to_string(list), std::to_string(number));
    return "Fil" + std::to_string(list) + "-" + std::to_string(number);
}

ProfileText& ProfileText::senderRule(std::string_view type, std::string_view condition,
                                     std::string_view pattern, std::string_view caseText,
                                     std::string_view check)
{
    const std::string section = nextRuleSection(1);
    return set(section, "Type", type)
        .set(section, "Condition", condition)
        .set(section, "String", pattern)
        .set(section, "Case", caseText)
        .set(section, "Check", check);
}

ProfileText& ProfileText::subjectRule(std::string_view condition, std::string_view pattern,
                                      std::string_view caseText, std::string_view check)
{
    return conditionRule(2, condition, pattern, caseText, check);
}

ProfileText& ProfileText::headerRule(std::string_view condition, std::string_view pattern,
                                     std::string_view caseText, std::string_view check)
{
    return conditionRule(3, condition, pattern, caseText, check);
}

ProfileText& ProfileText::conditionRule(int list, std::string_view condition, std::string_view pattern,
                                        std::string_view caseText, std::string_view check)
{
    const std::string section = nextRuleSection(list);
    return set(section, "Type", condition)
        .set(section, "String", pattern)
        .set(section, "Case", caseText)
        .set(section, "Check", check);
}

ProfileText& ProfileText::exceptionRule(std::string_view type, std::string_view condition,
                                        std::string_view pattern, std::string_view caseText,
                                        std::string_view check)
{
    const std::string section = nextRuleSection(4);
    return set(section, "Description", "trusted")
        .set(section, "Type", type)
        .set(section, "Condition", condition)
        .set(section, "String", pattern)
        .set(section, "Case", caseText)
        .set(section, "Check", check);
}

std::string ProfileText::text() const
{
    std::string text;
    for (const Section& section : m_sections) {
        text += "[" + section.name + "]\r\n";
        for (const auto& [key, value] : section.keys)
            text += key + "=" + value + "\r\n";
        text += "\r\n";
    }
    return text;
}

} // namespace vantor::filter::test
