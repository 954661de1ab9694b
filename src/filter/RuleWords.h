#pragma once

#include <string_view>

// The words a profile stores for rule types and conditions. They stay English whatever the language of the
// windows, because the engine compares the stored text.
namespace vantor::filter::rulewords {

inline constexpr std::string_view Contains = "Contains";
inline constexpr std::string_view EndsWith = "Ends with";
inline constexpr std::string_view Equals = "Equals";
inline constexpr std::string_view StartsWith = "Starts with";
inline constexpr std::string_view Domain = "Domain";
inline constexpr std::string_view EMail = "EMail";
inline constexpr std::string_view Subject = "Subject";

// The four conditions in the order the windows offer them.
inline constexpr std::string_view Conditions[] = {Contains, EndsWith, Equals, StartsWith};

} // namespace vantor::filter::rulewords
