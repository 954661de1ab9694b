#pragma once

#include <string>
#include <vector>

namespace vantor::records {

// One row of a result list (kept or deleted messages): caption, icon index, sub-item texts.
// A deleted row holds the sender address, the verdict code and the sub-items Subject, Account, Date/Time.
struct ResultRow
{
    std::string caption;
    int icon = -1;
    std::vector<std::string> subItems;
};

} // namespace vantor::records
