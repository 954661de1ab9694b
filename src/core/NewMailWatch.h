#pragma once

#include "mail/codec/MailDate.h"

#include <QDateTime>

namespace vantor::core {

class CheckContext;

// One poll of the new-mail watch over the checked accounts: counts the messages dated at or after
// LastCheckTime, then moves LastCheckTime to now. Logs in with the stored passwords, never asks; its
// failures go to the error log with code 00005 and are never shown.
class NewMailWatch
{
public:
    explicit NewMailWatch(const CheckContext& context);

    // WatchRunning is set while it polls; returns the number of new messages.
    int poll();

    // The local time as the message dates carry it, to the second.
    static mail::codec::LocalTime localTime(const QDateTime& time);

private:
    // Counts the account's new messages; false when the pass over the accounts must end.
    bool pollAccount(const QDateTime& since, int& newCount);
    int countNewMessages(const QDateTime& since, const std::string& host);

    const CheckContext& m_context;
};

} // namespace vantor::core
