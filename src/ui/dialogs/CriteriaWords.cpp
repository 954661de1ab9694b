#include "ui/dialogs/CriteriaWords.h"

#include "core/program/DisplayText.h"

#include <array>
#include <utility>

namespace vantor::ui::criteriawords {

namespace {

// Each keyword with the key of its translation in the "PopUp" section.
constexpr std::array<std::pair<std::string_view, const char*>, 7> Keys = {{
    {Contains, "012"},
    {EndsWith, "013"},
    {Equals, "014"},
    {StartsWith, "015"},
    {Domain, "016"},
    {EMail, "017"},
    {Subject, "018"},
}};

} // namespace

QString display(const storage::TextTable& texts, std::string_view stored)
{
    for (const auto& [keyword, key] : Keys) {
        if (keyword == stored)
            return core::uiText(texts, "PopUp", key);
    }
    return core::displayText(stored);
}

} // namespace vantor::ui::criteriawords
