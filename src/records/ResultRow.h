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
    // The server's unique id (UIDL) of the message a preview row stands for; empty when the server gave
    // none. Kept in memory only, never shown or written.
    std::string uniqueId = {};
};

} // namespace vantor::records
