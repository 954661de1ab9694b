#pragma once

#include <span>
#include <string_view>

namespace vantor::storage {

// One text of the user interface with its built-in English wording.
struct BuiltInText
{
    std::string_view section;
    std::string_view key;
    std::string_view text;
};

// Every text in language-file order (SettingLabel 036 and 037 appear twice, see TextTable).
std::span<const BuiltInText> builtInTexts();

} // namespace vantor::storage
