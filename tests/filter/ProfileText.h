#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantor::filter::test {

// The text of a profile file written the way a user or an older version would have left it, built key by
// key so that each test states exactly what its file holds.
class ProfileText
{
public:
    // Sets key=value in section (sections and keys keep the order of their first setting).
    ProfileText& set(std::string_view section, std::string_view key, std::string_view value);

    // Appends a rule to a list and raises the list's count in "General".
    ProfileText& senderRule(std::string_view type, std::string_view condition, std::string_view pattern,
                            std::string_view caseText = "No", std::string_view check = "1");
    ProfileText& subjectRule(std::string_view condition, std::string_view pattern,
                             std::string_view caseText = "No", std::string_view check = "1");
    ProfileText& headerRule(std::string_view condition, std::string_view pattern,
                            std::string_view caseText = "No", std::string_view check = "1");
    ProfileText& exceptionRule(std::string_view type, std::string_view condition, std::string_view pattern,
                               std::string_view caseText = "No", std::string_view check = "1");

    // The file's bytes, CR LF line ends.
    std::string text() const;

private:
    struct Section
    {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };

    std::string nextRuleSection(int list);
    // The subject and header lists store their condition under "Type".
    ProfileText& conditionRule(int list, std::string_view condition, std::string_view pattern,
                               std::string_view caseText, std::string_view check);

    std::vector<Section> m_sections;
    int m_counts[4] = {0, 0, 0, 0};
};

} // namespace vantor::filter::test
