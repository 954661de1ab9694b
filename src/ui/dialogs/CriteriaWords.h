#pragma once

#include "filter/RuleWords.h"
#include "storage/TextTable.h"

#include <QString>

#include <string_view>

// The words of rule types and conditions as the windows show them: the current language's word for the
// English one a profile stores.
namespace vantor::ui::criteriawords {

using namespace filter::rulewords;

// The current language's word for a stored keyword; a text that is no keyword (a damaged or hand-edited
// rule) is shown as it is stored.
QString display(const storage::TextTable& texts, std::string_view stored);

} // namespace vantor::ui::criteriawords
