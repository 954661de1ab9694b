#pragma once

#include "platform/MailClientAccountSource.h"

namespace vantor::platform {

// The accounts Windows keeps for its mail client under the current user's "Internet Account Manager" key:
// every sub-key with a "Connection Type" value is one account.
class RegistryMailClientAccounts : public MailClientAccountSource
{
public:
    MailClientAccounts read() const override;
};

} // namespace vantor::platform
