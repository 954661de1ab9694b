#pragma once

#include "mail/codec/MailDate.h"

#include <string>

namespace vantor::core {

struct CheckServices;

// One poll of the new-mail watch over the checked accounts: counts the messages dated at or after
// LastCheckTime, then moves LastCheckTime to now. Logs in with the stored passwords, never asks; its
// failures go to the error log with code 00005 and are never shown.
class NewMailWatch
{
public:
    explicit NewMailWatch(const CheckServices& services);

    // WatchRunning is set while it polls; returns the number of new messages.
    int poll();

private:
    // Counts the account's new messages; false when the pass over the accounts must end.
    bool pollAccount(mail::codec::LocalTime since, int& newCount);
    int countNewMessages(mail::codec::LocalTime since, const std::string& host);

    const CheckServices& m_services;
};

} // namespace vantor::core
