#pragma once

#include "core/accounts/AccountEntry.h"

namespace vantor::core {

// One row of the account manager's list: the account as read from account.vta and the row's tick, which
// starts as the account's Check and reaches the file only when the dialog closes with OK.
struct AccountManagerRow
{
    AccountEntry entry;
    bool isTicked = false;
};

} // namespace vantor::core
