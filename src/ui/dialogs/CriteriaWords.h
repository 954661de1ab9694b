#pragma once

#include "storage/TextTable.h"

#include <QString>

#include <string_view>

// The words of rule types and conditions. Profiles store them in English whatever the language, because
// the filter engine compares the stored text; the windows show the current language's word instead.
namespace vantor::ui::criteriawords {

inline constexpr std::string_view Contains = "Contains";
inline constexpr std::string_view EndsWith = "Ends with";
inline constexpr std::string_view Equals = "Equals";
inline constexpr std::string_view StartsWith = "Starts with";
inline constexpr std::string_view Domain = "Domain";
inline constexpr std::string_view EMail = "EMail";
inline constexpr std::string_view Subject = "Subject";

// The current language's word for a stored keyword; a text that is no keyword (a damaged or hand-edited
// rule) is shown as it is stored.
QString display(const storage::TextTable& texts, std::string_view stored);

} // namespace vantor::ui::criteriawords
